#include "ProfileScenarios.h"
#include "TestFiles.h"
#include "model/DefaultKeyTables.h"
#include "model/WideText.h"
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::kCounterNoData;
using model::kFirstKeyNumber;
using model::KindMacro;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindSingle;
using model::kLastKeyNumber;
using model::ModelName;
using model::RGBColor;
using model::Utf8FromWide;
using model::WideFromUtf8;
using profile::BuildProfileDocument;
using profile::CXmlDoc;
using profile::LoadProfile;
using profile::ProfileResult;
using profile::ProfileStatus;
using profile::SaveProfile;

namespace {

const CKeyboardProfile& ProfilePart(const CKeyboardConfig& config) {
    return config;
}

std::string SavedText(const CKeyboardConfig& config) {
    CXmlDoc doc;
    BuildProfileDocument(config, config.deviceType, doc);
    return doc.Utf8Text();
}

TEST(ProfileSave, WritesTheKeyGroupsAsTheFormatHasThem) {
    const auto config = ContentConfig();
    const std::string text = SavedText(*config);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Z9RT(PRSM)Ble>\r\n"
                         "<PredefinedCombo>\r\n<List SizeOfView=\"6\" ViewStartAt=\"0\" "
                         "CursorPos=\"1\" Cycles=\"1\" IsAutoInterval=\"0\" Delay=\"30\" "
                         "PlayMode=\"0\">\r\n<x ID=\"0\" t1=\"Copy &amp; &quot;paste&quot;\">\r\n",
                         0),
              0U);
    const std::string list6 =
        "SizeOfView=\"6\" ViewStartAt=\"0\" CursorPos=\"0\" Cycles=\"1\" IsAutoInterval=\"0\" "
        "Delay=\"30\" PlayMode=\"0\"";
    const std::string key5 =
        "<KEY ID=\"5\" Level=\"1\" Mode=\"2\" HWCode=\"110\">\r\n"
        "<ComboKey>\r\n"
        "<List SizeOfView=\"6\" ViewStartAt=\"0\" CursorPos=\"1\" Cycles=\"1\" "
        "IsAutoInterval=\"0\" Delay=\"30\" PlayMode=\"0\">\r\n"
        "<x ID=\"0\" t1=\"LCTRL\">\r\n<List " +
        list6 + "/>\r\n</x>\r\n<x ID=\"1\" t1=\"A\">\r\n<List " + list6 +
        "/>\r\n</x>\r\n</List>\r\n</ComboKey>\r\n</KEY>\r\n";
    EXPECT_NE(text.find(key5), std::string::npos);
    EXPECT_NE(text.find("<x ID=\"1\" t1=\"&lt;50 ms&gt;\">"), std::string::npos);
    EXPECT_NE(text.find("t1=\"Ctrl&amp;Caps Exchange Down\""), std::string::npos);
    EXPECT_NE(text.find("<AREA ID=\"41\" Red=\"12\" Green=\"34\" Blue=\"56\"/>\r\n"),
              std::string::npos);
    const std::string end = "</KEY>\r\n</CurrentSettings>\r\n</Z9RT(PRSM)Ble>\r\n";
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

TEST(ProfileSave, TheRootIsTheModelName) {
    for (int type : {0, 1, 2, 3, 4, 7}) {
        const auto config = FreshConfig(type);
        const std::string text = SavedText(*config);
        const std::string root = "\r\n<" + Utf8FromWide(ModelName(type)) + ">\r\n";
        EXPECT_EQ(text.find(root), text.find("\r\n")) << type;
    }
}

TEST(ProfileRoundTrip, SaveThenLoadReproducesEverySavedMember) {
    ScratchFolder folder;
    const auto saved = ContentConfig();
    saved->keyList[82][2].SizeOfView = 4;  // view fields of an empty list too
    saved->keyList[82][2].ViewStartAt = -1;
    ASSERT_TRUE(SaveProfile(*saved, folder / "content.pro").Ok());

    auto loaded = FreshConfig(kDeviceTypePrsmBle);
    loaded->keysDirty = 1;
    loaded->ApplyPressCounters({});
    const ProfileResult result = LoadProfile(*loaded, folder / "content.pro");
    ASSERT_TRUE(result.Ok()) << result.Message();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        EXPECT_EQ(loaded->lightColor[key], saved->lightColor[key]) << key;
        for (int layer = 0; layer < kLayerCount; ++layer) {
            EXPECT_EQ(loaded->keyMode[key][layer], saved->keyMode[key][layer]) << key;
            EXPECT_EQ(loaded->keyHWCode[key][layer], saved->keyHWCode[key][layer]) << key;
            EXPECT_EQ(loaded->keyList[key][layer], saved->keyList[key][layer]) << key;
        }
    }
    EXPECT_EQ(loaded->predefinedCombo, saved->predefinedCombo);
    EXPECT_EQ(loaded->predefinedMacro, saved->predefinedMacro);
    EXPECT_EQ(loaded->predefinedEmu, saved->predefinedEmu);
    EXPECT_EQ(ProfilePart(*loaded), ProfilePart(*saved));
    // The counters are forgotten, the dirty flag is not touched.
    EXPECT_EQ(loaded->highestKey, -1);
    EXPECT_EQ(loaded->lowestKey, -1);
    EXPECT_EQ(loaded->pressCounter[5], kCounterNoData);
    EXPECT_EQ(loaded->keysDirty, 1);
    // And saving again gives the same file.
    ASSERT_TRUE(SaveProfile(*loaded, folder / "again.pro").Ok());
    EXPECT_EQ(ReadBytes(folder / "again.pro"), ReadBytes(folder / "content.pro"));
}

class ProfileLoadFailure : public ::testing::Test {
protected:
    void SetUp() override {
        config = ContentConfig();
        config->ApplyPressCounters({3, 1, 2});
        before = std::make_unique<CKeyboardProfile>(*config);
    }

    void ExpectUnchanged() const {
        EXPECT_EQ(ProfilePart(*config), *before);
        EXPECT_EQ(config->highestKey, 1);
        EXPECT_EQ(config->pressCounter[2], 1);
    }

    ScratchFolder folder;
    std::unique_ptr<CKeyboardConfig> config;
    std::unique_ptr<CKeyboardProfile> before;
};

TEST_F(ProfileLoadFailure, AFileThatCannotBeRead) {
    const ProfileResult result = LoadProfile(*config, folder / "missing.pro");
    EXPECT_EQ(result.status, ProfileStatus::CannotRead);
    EXPECT_NE(result.Message().find("No such file"), std::string::npos) << result.Message();
    ExpectUnchanged();
}

TEST_F(ProfileLoadFailure, AFileThatIsNoProfile) {
    for (const char* content : {"", "\x89PNG\r\n\x1a\n\0\0\0", "<settings><KEY ID='1'/></settings>",
                                "<Z9RT(PRSM)Ble", "plain text"}) {
        WriteBytes(folder / "other.pro", content);
        const ProfileResult result = LoadProfile(*config, folder / "other.pro");
        EXPECT_EQ(result.status, ProfileStatus::NotAProfile) << content;
        ExpectUnchanged();
    }
}

TEST_F(ProfileLoadFailure, AProfileCutOffPartWay) {
    const auto source = ContentConfig();
    ASSERT_TRUE(SaveProfile(*source, folder / "whole.pro").Ok());
    const std::string whole = ReadBytes(folder / "whole.pro");
    for (int percent : {10, 50, 90}) {
        WriteBytes(folder / "cut.pro", whole.substr(0, whole.size() * percent / 100));
        const ProfileResult result = LoadProfile(*config, folder / "cut.pro");
        EXPECT_EQ(result.status, ProfileStatus::Damaged) << percent;
        EXPECT_GT(result.line, 1U);
        EXPECT_EQ(result.Message().rfind("the profile is damaged at line " +
                                             std::to_string(result.line) + ": the file ends ",
                                         0),
                  0U)
            << result.Message();
        ExpectUnchanged();
    }
    // Without its line end the root's end tag is still there.
    WriteBytes(folder / "cut.pro", whole.substr(0, whole.size() - 2));
    EXPECT_TRUE(LoadProfile(*config, folder / "cut.pro").Ok());
}

TEST_F(ProfileLoadFailure, TheProfileOfAnotherModel) {
    const auto smaller = FreshConfig(kDeviceTypeS);
    ASSERT_TRUE(SaveProfile(*smaller, folder / "s.pro").Ok());
    const ProfileResult result = LoadProfile(*config, folder / "s.pro");
    EXPECT_EQ(result.status, ProfileStatus::OtherModel);
    EXPECT_EQ(result.detail, "Z9RT(S)");
    EXPECT_EQ(result.Message(), "profile of another keyboard model (Z9RT(S))");
    ExpectUnchanged();
}

TEST_F(ProfileLoadFailure, SavingToAPlaceThatCannotBeWrittenKeepsTheOldFile) {
    std::filesystem::create_directory(folder / "dir.pro");
    const ProfileResult result = SaveProfile(*config, folder / "dir.pro");
    EXPECT_EQ(result.status, ProfileStatus::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.pro"));
    EXPECT_EQ(SaveProfile(*config, folder / "none" / "x.pro").status, ProfileStatus::CannotWrite);
}

TEST(ProfileLoad, WhatTheFileDoesNotGiveTakesTheModelsDefaults) {
    ScratchFolder folder;
    WriteBytes(folder / "partial.pro",
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Z9RT(S)>\r\n"
               "<CurrentSettings>\r\n"
               "<KEY ID=\"10\" Level=\"0\" Mode=\"3\" HWCode=\"0\">\r\n<ComboKey>\r\n"
               "<List SizeOfView=\"9\" ViewStartAt=\"0\" CursorPos=\"0\" Cycles=\"2\" "
               "IsAutoInterval=\"1\" Delay=\"40\" PlayMode=\"1\">\r\n"
               "<x ID=\"0\" t1=\"A Down\"/>\r\n</List>\r\n</ComboKey>\r\n</KEY>\r\n"
               "</CurrentSettings>\r\n<BackgroundLightSettings>\r\n"
               "<AREA ID=\"3\" Red=\"1\" Green=\"2\" Blue=\"3\"/>\r\n"
               "</BackgroundLightSettings>\r\n</Z9RT(S)>\r\n");
    auto config = ContentConfig();
    config->deviceType = kDeviceTypeS;
    config->keyMode[0][1] = KindMacro;  // index 0 is no key: it stays
    config->keyList[12][1].SizeOfView = 6;
    config->lightColor[0] = {9, 9, 9};
    const ProfileResult result = LoadProfile(*config, folder / "partial.pro");
    ASSERT_TRUE(result.Ok()) << result.Message();

    // What the file gives, in whatever order its sections come.
    EXPECT_EQ(config->keyMode[10][0], KindMacro);
    EXPECT_EQ(config->keyList[10][0].Items(), std::vector<std::wstring>{L"A Down"});
    EXPECT_EQ(config->keyList[10][0].Cycles, 2);
    EXPECT_EQ(config->lightColor[3], (RGBColor{1, 2, 3}));
    // Everything else: the defaults of Z9RT(S), empty libraries.
    EXPECT_EQ(config->keyMode[10][1], KindNotSet);  // no BTD1 on this model
    EXPECT_EQ(config->keyHWCode[46][0], 43);
    EXPECT_EQ(config->keyMode[46][0], KindSingle);
    EXPECT_EQ(config->keyMode[5][1], KindMultimedia);
    EXPECT_TRUE(config->keyList[5][1].Empty());
    EXPECT_EQ(config->keyList[12][1].SizeOfView, 6);
    EXPECT_EQ(config->lightColor[1], RGBColor{});
    EXPECT_TRUE(config->predefinedCombo.Empty());
    EXPECT_EQ(config->predefinedCombo.SizeOfView, 6);
    EXPECT_EQ(config->predefinedMacro.SizeOfView, 9);
    EXPECT_EQ(config->keyMode[0][1], KindMacro);
    EXPECT_EQ(config->lightColor[0], (RGBColor{9, 9, 9}));
}

TEST(ProfileLoad, ItemsArePlacedByTheirIndexAndMissingAttributesReadZero) {
    ScratchFolder folder;
    WriteBytes(folder / "gaps.pro",
               "<Z9RT(PRSM)Ble><PredefinedCombo><List SizeOfView='6'>"
               "<x ID='3' t1='fourth'><List/></x><x ID='1' t1='second'/><x t1='first'/>"
               "</List></PredefinedCombo></Z9RT(PRSM)Ble>");
    auto config = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadProfile(*config, folder / "gaps.pro").Ok());
    const CItemList& library = config->predefinedCombo;
    EXPECT_EQ(library.Items(), (std::vector<std::wstring>{L"first", L"second", L"", L"fourth"}));
    EXPECT_EQ(library.SizeOfView, 6);
    EXPECT_EQ(library.Cycles, 0);  // not in the file: 0, not 1
    EXPECT_EQ(library.Delay, 0);
    EXPECT_EQ(library.SubLists()[3].Cycles, 0);
    EXPECT_EQ(library.SubLists()[1].Cycles, 1);  // no List at all: a cleared list
}

TEST(ProfileLoad, AMissingSectionCostsOnlyItself) {
    ScratchFolder folder;
    const auto saved = ContentConfig();
    CXmlDoc doc;
    BuildProfileDocument(*saved, saved->deviceType, doc);
    std::string text = doc.Utf8Text();
    const std::size_t start = text.find("<PredefinedMacro>");
    const std::size_t end = text.find("</PredefinedMacro>\r\n") + 20;
    text.erase(start, end - start);
    WriteBytes(folder / "nomacros.pro", text);

    auto loaded = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadProfile(*loaded, folder / "nomacros.pro").Ok());
    EXPECT_TRUE(loaded->predefinedMacro.Empty());
    EXPECT_EQ(loaded->predefinedEmu, saved->predefinedEmu);
    EXPECT_EQ(loaded->lightColor, saved->lightColor);
    EXPECT_EQ(loaded->keyList, saved->keyList);
}

TEST(ProfileLoad, Utf16ProfilesReadLikeUtf8Ones) {
    ScratchFolder folder;
    const auto saved = ContentConfig();
    const std::wstring text = WideFromUtf8(SavedText(*saved));
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : text) {
        ASSERT_LT(static_cast<unsigned>(c), 0x10000U);  // the content has no pairs to split
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>((c >> 8) & 0xFF);
    }
    WriteBytes(folder / "utf16.pro", utf16);
    auto loaded = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadProfile(*loaded, folder / "utf16.pro").Ok());
    EXPECT_EQ(ProfilePart(*loaded), ProfilePart(*saved));
}

}  // namespace

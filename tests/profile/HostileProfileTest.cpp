// Profiles no program writes: out-of-range numbers, absurd nesting and sizes, cut-off and
// binary files. None may crash the program, make it allocate without bound, or reach outside
// a table.
#include "ProfileScenarios.h"
#include "TestFiles.h"
#include "profile/ItemListXml.h"
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr const char* kRootOpen = "<Z9RT(PRSM)Ble>";
constexpr const char* kRootClose = "</Z9RT(PRSM)Ble>";

ProfileResult LoadText(CKeyboardConfig& config, const std::string& text) {
    CXmlDoc doc;
    doc.LoadBytes(text);
    return ReadProfileDocument(doc, config);
}

TEST(HostileProfile, OutOfRangeNumbersAreIgnoredOrClamped) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    const ProfileResult result =
        LoadText(*config, std::string(kRootOpen) +
                              "<BackgroundLightSettings>"
                              "<AREA ID='0' Red='7'/><AREA ID='83' Red='7'/><AREA ID='-1' Red='7'/>"
                              "<AREA ID='2147483647' Red='7'/>"
                              "<AREA ID='5' Red='-20' Green='256' Blue='99999999999'/>"
                              "</BackgroundLightSettings><CurrentSettings>"
                              "<KEY ID='0' Level='0' Mode='3'/><KEY ID='83' Level='0' Mode='3'/>"
                              "<KEY ID='1' Level='3' Mode='3'/><KEY ID='1' Level='-1' Mode='3'/>"
                              "<KEY ID='2' Level='0' Mode='99' HWCode='43'/>"
                              "<KEY ID='3' Level='0' Mode='-4' HWCode='43'/>"
                              "<KEY ID='4' Level='0' Mode='1' HWCode='1024'/>"
                              "<KEY ID='6' Level='0' Mode='1' HWCode='-5'/>"
                              "</CurrentSettings>" +
                              kRootClose);
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(config->lightColor[0], RGBColor{});
    EXPECT_EQ(config->lightColor[5], (RGBColor{0, 255, 255}));
    EXPECT_EQ(config->keyMode[0][0], KindNotSet);
    EXPECT_EQ(config->keyMode[1][0], KindSingle);  // default: the bad levels were ignored
    EXPECT_EQ(config->keyMode[2][0], KindNotSet);
    EXPECT_EQ(config->keyMode[3][0], KindNotSet);
    EXPECT_EQ(config->keyHWCode[4][0], 0);
    EXPECT_EQ(config->keyHWCode[6][0], 0);
    EXPECT_EQ(config->NameOfHWCode(config->keyHWCode[4][0]), L"-- --");
}

TEST(HostileProfile, ItemIndexesCannotMakeListsHuge) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    std::string text = std::string(kRootOpen) + "<PredefinedCombo><List>";
    text += "<x ID='-1' t1='negative'/><x ID='2147483647' t1='huge'/>";
    text += "<x ID='65536' t1='beyond'/><x ID='2' t1='gap'/>";
    text += "</List></PredefinedCombo><PredefinedMacro><List>";
    // Every list may leave gaps, but all of them together only so many.
    for (int i = 0; i < 100; ++i) {
        text +=
            "<x ID='" + std::to_string(i) + "' t1='m'><List><x ID='60000' t1='far'/></List></x>";
    }
    text += "</List></PredefinedMacro>";
    text += kRootClose;
    ASSERT_TRUE(LoadText(*config, text).Ok());
    EXPECT_EQ(config->predefinedCombo.Items(), (std::vector<std::wstring>{L"", L"", L"gap"}));
    std::size_t items = 0;
    for (const CItemList& entry : config->predefinedMacro.SubLists()) {
        items += static_cast<std::size_t>(entry.Count());
    }
    EXPECT_EQ(config->predefinedMacro.Count(), 100);
    EXPECT_LE(items, 65536U + 100U);
    EXPECT_EQ(config->predefinedMacro.SubLists()[0].Count(), 60001);  // the first fits
    EXPECT_EQ(config->predefinedMacro.SubLists()[1].Count(), 0);      // the budget is spent
}

TEST(HostileProfile, DeepNestingIsReadOnlySoDeep) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    std::string text = std::string(kRootOpen) + "<PredefinedMacro>";
    constexpr int kDepth = 100000;
    for (int i = 0; i < kDepth; ++i) {
        text += "<List Cycles='7'><x ID='0' t1='deeper'>";
    }
    text += kRootClose;  // the rest never ends
    const ProfileResult result = LoadText(*config, text);
    ASSERT_TRUE(result.Ok());
    int depth = 0;
    const CItemList* list = &config->predefinedMacro;
    while (!list->Empty()) {
        list = &list->SubLists()[0];
        ++depth;
    }
    EXPECT_EQ(list->Cycles, 7);
    EXPECT_EQ(depth, ListReadLimits{}.maxDepth);
}

TEST(HostileProfile, ManyElementsLoadInTime) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    std::string text = std::string(kRootOpen) + "<CurrentSettings>";
    for (int i = 0; i < 300000; ++i) {
        text += "<KEY ID='1' Level='0' Mode='1' HWCode='" + std::to_string(i % 200) + "'/>";
    }
    text += "</CurrentSettings>";
    text += kRootClose;
    ASSERT_TRUE(LoadText(*config, text).Ok());
    EXPECT_EQ(config->keyHWCode[1][0], 299999 % 200);
}

TEST(HostileProfile, CutOffAndDamagedFilesNeverCrash) {
    const auto source = ContentConfig();
    CXmlDoc doc;
    BuildProfileDocument(*source, source->deviceType, doc);
    const std::string whole = doc.Utf8Text();
    // Every cut within the first and last stretch, and every 97th byte in between. Only a cut
    // after the root's end tag leaves a profile; before the root's start tag is whole there is
    // none, after it a damaged one.
    const std::size_t rootEnd = whole.rfind(kRootClose) + std::string(kRootClose).size();
    const std::size_t rootStart = whole.find(kRootOpen) + std::string(kRootOpen).size();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const bool edge = length < 600 || length > whole.size() - 600;
        if (!edge && length % 97 != 0) {
            continue;
        }
        auto config = FreshConfig(kDeviceTypePrsmBle);
        const ProfileResult result = LoadText(*config, whole.substr(0, length));
        const ProfileStatus expected = length >= rootEnd     ? ProfileStatus::Ok
                                       : length >= rootStart ? ProfileStatus::Damaged
                                                             : ProfileStatus::NotAProfile;
        EXPECT_EQ(result.status, expected) << length;
    }
    // Damaged bytes here and there.
    std::string damaged = whole;
    for (std::size_t i = 7; i < damaged.size(); i += 131) {
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    }
    auto config = FreshConfig(kDeviceTypePrsmBle);
    const ProfileResult result = LoadText(*config, damaged);
    EXPECT_TRUE(result.Ok() || result.status == ProfileStatus::NotAProfile ||
                result.status == ProfileStatus::Damaged);
    std::string binary;
    for (int i = 0; i < 100000; ++i) {
        binary += static_cast<char>((i * 7919) & 0xFF);
    }
    EXPECT_EQ(LoadText(*config, binary).status, ProfileStatus::NotAProfile);
}

TEST(HostileProfile, ViewFieldsAreKeptAsTheyAreAndStaySafeToUse) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadText(*config, std::string(kRootOpen) +
                                      "<PredefinedCombo><List SizeOfView='-2147483648' "
                                      "ViewStartAt='2147483647' CursorPos='-5'>"
                                      "<x ID='0' t1='a'/></List></PredefinedCombo>" +
                                      kRootClose)
                    .Ok());
    CItemList& library = config->predefinedCombo;
    EXPECT_EQ(library.SizeOfView, INT_MIN);
    EXPECT_EQ(library.ViewStartAt, INT_MAX);
    EXPECT_EQ(library.ItemAt(library.CursorPos), L"");
    library.SetOrAppend(20000, L"b");
    library.RemoveAt(library.CursorPos);
    library.Select(1);
    CItemList::SelectOrAddDefault(library, CItemList());
    EXPECT_GE(library.Count(), 2);
}

}  // namespace

// Profiles no program writes: damaged markup, out-of-range numbers, absurd nesting and sizes,
// assignments the keyboard cannot take as they are, cut-off and binary files. Each is refused
// with what is wrong and where; none may crash the program, make it allocate without bound or
// be read as something the file does not say.
#include "ProfileScenarios.h"
#include "TestFiles.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindMultimedia;
using profile::AssignmentPolicy;
using profile::BuildProfileDocument;
using profile::CXmlDoc;
using profile::LoadProfile;
using profile::ProfileLoadOptions;
using profile::ProfileReadLimits;
using profile::ProfileResult;
using profile::ProfileStatus;
using profile::ProfileTextRead;
using profile::ReadProfileBytes;
using profile::ReadProfileText;
using profile::SaveProfile;

namespace {

constexpr const char* kRootOpen = "<Z9RT(PRSM)Ble>";
constexpr const char* kRootClose = "</Z9RT(PRSM)Ble>";
const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

ProfileResult LoadText(CKeyboardConfig& config, const std::string& text,
                       const ProfileLoadOptions& options = {}) {
    return ReadProfileBytes(text, config, options);
}

// A profile of the root element around `inside`, the declaration on line 1, the root's
// start tag on line 2 and `inside` from line 3.
std::string Profile(const std::string& inside) {
    return kDeclaration + kRootOpen + "\r\n" + inside + "\r\n" + kRootClose + "\r\n";
}

std::string Key(int key, int layer, int mode, int hwCode, const std::string& list) {
    return "<CurrentSettings><KEY ID='" + std::to_string(key) + "' Level='" +
           std::to_string(layer) + "' Mode='" + std::to_string(mode) + "' HWCode='" +
           std::to_string(hwCode) + "'><ComboKey>" + list + "</ComboKey></KEY></CurrentSettings>";
}

std::string List(const std::vector<std::string>& items, const std::string& attributes = "") {
    std::string text = "<List" + attributes + ">";
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += "<x ID='" + std::to_string(i) + "' t1='" + items[i] + "'/>";
    }
    return text + "</List>";
}

std::vector<std::string> Repeated(std::size_t count, const std::string& even,
                                  const std::string& odd) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < count; ++i) {
        items.push_back(i % 2 == 0 ? even : odd);
    }
    return items;
}

TEST(HostileProfile, MarkupThatIsNotWellFormedIsRefusedWithItsLine) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t line;
        const char* what;
    };
    std::string deep;
    for (int i = 0; i < 100000; ++i) {
        deep += "<a>";
    }
    const std::string nul(1, '\0');
    const Case cases[] = {
        // A byte that is no UTF-8 in an attribute name would make "Level" another name, and
        // the key's assignment another layer's.
        {"not UTF-8",
         Profile("<CurrentSettings>\r\n<KEY ID='2' Le\xf6"
                 "el='1' Mode='3'/>"),
         4, "not UTF-8"},
        {"NUL byte", Profile("<BackgroundLightSettings>\r\n<AREA ID='1' Red='2'" + nul + "/>"), 4,
         "NUL"},
        {"control character", Profile("<PredefinedMacro><List><x ID='0' t1='a\x01'/>"), 3,
         "control"},
        {"cut off in CDATA", kDeclaration + kRootOpen + "\r\n<![CDATA[ never ends", 3, "CDATA"},
        {"cut off in a tag", kDeclaration + kRootOpen + "\r\n<CurrentSettings><KEY ID='1", 3,
         "ends inside"},
        {"cut off in a comment", kDeclaration + kRootOpen + "\r\n<!-- no end", 3, "comment"},
        {"unclosed element", kDeclaration + kRootOpen + "\r\n<CurrentSettings>\r\n", 4, "cut off"},
        {"wrong end tag", Profile("<CurrentSettings>\r\n</BackgroundLightSettings>"), 4,
         "does not match"},
        {"duplicate attribute", Profile("<BackgroundLightSettings><AREA ID='1' ID='2'/>"), 3,
         "twice"},
        {"less-than in a value", Profile("<PredefinedMacro><List><x ID='0' t1='<'/>"), 3,
         "inside an attribute value"},
        {"value without quotes", Profile("<BackgroundLightSettings><AREA ID=1/>"), 3,
         "quotation marks"},
        {"second root", Profile("") + "<Z9RT(PRSM)Ble/>", 5, "after the root"},
        {"text after the root", Profile("") + "junk", 5, "after the root"},
        {"deep nesting", Profile(deep), 3, "nested too deep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto config = FreshConfig(kDeviceTypePrsmBle);
        const auto before = std::make_unique<CKeyboardProfile>(*config);
        const ProfileResult result = LoadText(*config, c.text);
        EXPECT_EQ(result.status, ProfileStatus::Damaged) << result.Message();
        EXPECT_EQ(result.line, c.line) << result.Message();
        EXPECT_NE(result.Message().find(c.what), std::string::npos) << result.Message();
        EXPECT_TRUE(static_cast<const CKeyboardProfile&>(*config) == *before);
    }
}

TEST(HostileProfile, NumbersMustBeWholeDecimalsInTheirRangeOnTheAttributesAnElementHas) {
    struct Case {
        std::string inside;
        const char* what;
    };
    const Case cases[] = {
        {"<BackgroundLightSettings><AREA ID='83' Red='7'/>", "AREA ID=\"83\" is not a whole"},
        {"<BackgroundLightSettings><AREA ID='0'/>", "from 1 to 82"},
        {"<BackgroundLightSettings><AREA ID='5' Red='256'/>", "Red=\"256\""},
        {"<BackgroundLightSettings><AREA ID='5' Blue='99999999999'/>", "Blue="},
        {"<BackgroundLightSettings><AREA ID='5' Green=' 7'/>", "Green="},
        {"<BackgroundLightSettings><AREA ID='5' Green=''/>", "Green="},
        {"<BackgroundLightSettings><AREA Red='7'/>", "AREA without its ID"},
        {"<BackgroundLightSettings><AREA ID='5' Rot='7'/>", "AREA has no attribute \"Rot\""},
        {Key(1, 3, 3, 0, ""), "Level=\"3\""},
        {"<CurrentSettings><KEY Level='1' Mode='1'/>", "KEY without its ID"},
        {Key(2, 0, 99, 43, ""), "Mode=\"99\""},
        {Key(4, 0, 1, 1024, ""), "HWCode=\"1024\""},
        {Key(6, 0, 1, -5, ""), "HWCode=\"-5\""},
        {"<PredefinedCombo><List IsAutoInterval='2'/>", "IsAutoInterval=\"2\""},
        {"<PredefinedCombo><List Cycles='1.5'/>", "Cycles=\"1.5\""},
        {"<PredefinedCombo><List><x ID='-1' t1='a'/>", "x ID=\"-1\""},
        {"<PredefinedCombo><List><x ID='65536' t1='a'/>", "from 0 to 65535"},
        {"<PredefinedCombo><List><x ID='1' t2='a'/>", "x has no attribute \"t2\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inside);
        auto config = FreshConfig(kDeviceTypePrsmBle);
        const ProfileResult result = LoadText(*config, Profile(c.inside));
        EXPECT_EQ(result.status, ProfileStatus::Damaged);
        EXPECT_EQ(result.line, 3U);
        EXPECT_NE(result.Message().find(c.what), std::string::npos) << result.Message();
    }
    // The view fields are kept as they are, whatever they hold, and stay safe to use.
    auto config = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadText(*config, Profile("<PredefinedCombo><List SizeOfView='-2147483648' "
                                          "ViewStartAt='2147483647' CursorPos='-5'>"
                                          "<x ID='0' t1='a'/></List></PredefinedCombo>"))
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
    // References stand for what they name, also in numbers.
    ASSERT_TRUE(LoadText(*config, Profile("<BackgroundLightSettings><AREA ID='&#55;' "
                                          "Red='&#x32;0'/></BackgroundLightSettings>"))
                    .Ok());
    EXPECT_EQ(config->lightColor[7].Red, 20);
}

TEST(HostileProfile, SizesAreBoundedWhileReading) {
    struct Case {
        const char* name;
        std::string inside;
        ProfileReadLimits limits;
        const char* what;
    };
    ProfileReadLimits fewItems;
    fewItems.maxItems = 100;
    std::string gaps = "<PredefinedMacro><List>";
    for (int i = 0; i < 3; ++i) {
        gaps +=
            "<x ID='" + std::to_string(i) + "' t1='m'><List><x ID='30000' t1='far'/></List></x>";
    }
    std::string nested = "<PredefinedMacro>";
    for (int i = 0; i < 9; ++i) {
        nested += "<List><x ID='0' t1='deeper'>";
    }
    const Case cases[] = {
        {"gaps", gaps, {}, "more than 65536 empty items"},
        {"nesting", nested, {}, "lists nested more than 8 deep"},
        {"items", List(Repeated(101, "a", "b")).insert(0, "<PredefinedCombo>"), fewItems,
         "more than 100 list items"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKeyboardProfile profile;
        const ProfileTextRead read =
            ReadProfileText(Profile(c.inside), "Z9RT(PRSM)Ble", profile, c.limits);
        EXPECT_EQ(read.outcome, ProfileTextRead::Outcome::TooLarge);
        EXPECT_EQ(read.line, 3U);
        EXPECT_NE(read.what.find(c.what), std::string::npos) << read.what;
    }
    // Many elements of a profile's own kind still load, in time linear in their number.
    std::string many = "<CurrentSettings>";
    for (int i = 0; i < 300000; ++i) {
        many += "<KEY ID='1' Level='0' Mode='1' HWCode='" + std::to_string(1 + i % 100) + "'/>";
    }
    auto config = FreshConfig(kDeviceTypePrsmBle);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(LoadText(*config, Profile(many + "</CurrentSettings>")).Ok());
    EXPECT_EQ(config->keyHWCode[1][0], 1 + 299999 % 100);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(HostileProfile, AssignmentsTheKeyboardCannotTakeAsTheyAreAreRefused) {
    const std::string macro = " Cycles='1' IsAutoInterval='0' Delay='30' PlayMode='0'";
    const std::string fixed = " Cycles='1' IsAutoInterval='1' Delay='30' PlayMode='0'";
    struct Case {
        std::string keys;
        const char* what;
    };
    const Case cases[] = {
        {Key(2, 1, 3, 0, List({"A Down"}, " Cycles='1' PlayMode='99'")), "play mode 99"},
        {Key(2, 1, 3, 0, List({"A Down"}, " Cycles='0' PlayMode='0'")), "0 plays per press"},
        {Key(2, 1, 3, 0, List({"NOTAKEY Down"}, macro)), "item 1 'NOTAKEY Down' names no key"},
        {Key(2, 1, 2, 0, List({"LCTRL", "NOTAKEY"})), "item 2 'NOTAKEY'"},
        {Key(2, 1, 4, 0, List(Repeated(1000, "A", "B"))), "an emulation of 1000 keys; at most 6"},
        {Key(2, 1, 4, 0, List(Repeated(7, "A", "B"))), "an emulation of 7 keys"},
        {Key(2, 1, 4, 0, List({"A"}, " Delay='6001'")), "emulation interval of 6001 ms"},
        {Key(2, 1, 2, 0, List(Repeated(9, "A", "B"))), "a combination of 9 keys"},
        {Key(2, 1, 2, 0, List({})), "a combination without keys"},
        {Key(2, 1, 3, 0, List(Repeated(5000, "A Down", "&lt;5 ms&gt;"), macro)),
         "a macro of 5000 items; at most 799"},
        {Key(2, 1, 3, 0, List(Repeated(1601, "A Down", "A UP"), fixed)), "a macro of 1601"},
        {Key(2, 1, 3, 0, List({"A Down", "A UP"}, macro)), "item 2 'A UP' is no delay"},
        {Key(2, 1, 3, 0, List({"A Down", "&lt;70000 ms&gt;", "A UP"}, macro)),
         "item 2 '<70000 ms>' is no delay"},
        {Key(2, 1, 3, 0, List({"A Down", "&lt;5 ms&gt;"}, fixed)),
         "item 2 '<5 ms>' is a delay where an event belongs"},
        {Key(2, 1, 1, 130, ""), "HW code 130 is no keyboard key"},
        {Key(2, 1, 5, 43, ""), "HW code 43 is no multimedia action"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto config = FreshConfig(kDeviceTypePrsmBle);
        const ProfileResult refused = LoadText(*config, Profile(c.keys));
        EXPECT_EQ(refused.status, ProfileStatus::RefusedAssignment);
        EXPECT_EQ(refused.Message().rfind("key 2 (F1), RightFn: ", 0), 0U) << refused.Message();
        EXPECT_NE(refused.Message().find(c.what), std::string::npos) << refused.Message();

        // The main window's way: the other keys are read, this one keeps what it held.
        config->keyMode[2][1] = KindMultimedia;
        config->keyHWCode[2][1] = 113;
        config->keyList[2][1].Append(L"kept");
        const CItemList keptList = config->keyList[2][1];
        ProfileLoadOptions keep;
        keep.assignments = AssignmentPolicy::KeepPrevious;
        const ProfileResult kept =
            LoadText(*config,
                     Profile(c.keys + "<BackgroundLightSettings><AREA ID='9' "
                                      "Red='1'/></BackgroundLightSettings>"),
                     keep);
        ASSERT_TRUE(kept.Ok()) << kept.Message();
        ASSERT_EQ(kept.kept.size(), 1U);
        EXPECT_EQ(kept.kept[0].key, 2);
        EXPECT_EQ(kept.kept[0].layer, 1);
        EXPECT_NE(kept.kept[0].problem.find(c.what), std::string::npos);
        EXPECT_EQ(config->keyMode[2][1], KindMultimedia);
        EXPECT_EQ(config->keyHWCode[2][1], 113);
        EXPECT_EQ(config->keyList[2][1], keptList);
        EXPECT_EQ(config->lightColor[9].Red, 1);
    }
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
    EXPECT_TRUE(result.status == ProfileStatus::NotAProfile ||
                result.status == ProfileStatus::Damaged ||
                result.status == ProfileStatus::RefusedAssignment)
        << result.Message();
    std::string binary;
    for (int i = 0; i < 100000; ++i) {
        binary += static_cast<char>((i * 7919) & 0xFF);
    }
    EXPECT_EQ(LoadText(*config, binary).status, ProfileStatus::NotAProfile);
}

// The program never writes a profile it would refuse to read.
TEST(HostileProfile, WhatTheProgramWritesItReadsBack) {
    ScratchFolder folder;
    auto config = FreshConfig(kDeviceTypePrsmBle);
    // Control characters (NUL too) in a name: written as references, which read back as the
    // characters.
    const std::wstring name = std::wstring(L"a\x01\x1F\tb\x7F") + L'\0' + wchar_t(0xFFFE) + L"c";
    config->predefinedCombo.Append(name);
    ASSERT_TRUE(SaveProfile(*config, folder / "names.pro").Ok());
    EXPECT_NE(ReadBytes(folder / "names.pro")
                  .find("t1=\"a&#x1;&#x1F;\tb\x7F&#x0;\xEF\xBF\xBE"
                        "c\""),
              std::string::npos);
    auto loaded = FreshConfig(kDeviceTypePrsmBle);
    ASSERT_TRUE(LoadProfile(*loaded, folder / "names.pro").Ok());
    EXPECT_EQ(loaded->predefinedCombo.Items()[0], name);

    // A library longer than a profile is read with is refused, and the file left alone.
    WriteBytes(folder / "big.pro", "before");
    for (int i = 0; i <= ProfileReadLimits{}.maxItemIndex + 1; ++i) {
        config->predefinedMacro.Append(L"m");
    }
    const ProfileResult tooLong = SaveProfile(*config, folder / "big.pro");
    EXPECT_EQ(tooLong.status, ProfileStatus::CannotWrite);
    EXPECT_NE(tooLong.detail.find("a list of 65537 items; at most 65536"), std::string::npos)
        << tooLong.detail;
    EXPECT_EQ(ReadBytes(folder / "big.pro"), "before");
}

}  // namespace

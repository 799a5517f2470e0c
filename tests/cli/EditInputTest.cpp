// The pieces the editing commands read their input with: splitting typed lists, matching
// names against the key-name table, keys, colours and option values.
#include "EditValues.h"
#include "ItemSplitting.h"
#include "KeyNames.h"
#include "NameMatching.h"
#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

#include <algorithm>

using model::CKeyboardConfig;

namespace z9rt::cli {
namespace {

// Accepts the words of a small table, as a key-name judge would.
std::string JudgeOf(std::string_view item) {
    static const std::vector<std::string> known = {"LCTRL", "A",      "B",     "(+)",
                                                   ",",     "A Down", ", Down"};
    if (std::find(known.begin(), known.end(), item) != known.end())
        return "";
    return "unknown '" + std::string(item) + "'";
}

TEST(ItemSplittingTest, SeparatorsInsideItemsAreKept) {
    struct Case {
        std::string text;
        char separator;
        std::vector<std::string> items;
        std::string error;
    };
    const Case cases[] = {
        {"LCTRL+A", '+', {"LCTRL", "A"}, ""},
        {" LCTRL + (+) ", '+', {"LCTRL", "(+)"}, ""},
        {"(+)+(+)", '+', {"(+)", "(+)"}, ""},
        {"A,,,B", ',', {"A", ",", "B"}, ""},
        {",,,", ',', {",", ","}, ""},
        {"A Down,, Down", ',', {"A Down", ", Down"}, ""},
        {"A", ',', {"A"}, ""},
        // The first item that cannot be read is named.
        {"A+Ctlr+B", '+', {}, "unknown 'Ctlr'"},
        {"A++B", '+', {}, "unknown ''"},
        {"A+", '+', {}, "unknown ''"},
        {"", ',', {}, "unknown ''"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SplitItems split = SplitIntoItems(c.text, c.separator, JudgeOf);
        EXPECT_EQ(split.items, c.items);
        EXPECT_EQ(split.error, c.error);
    }
}

TEST(ItemSplittingTest, ALongListSplitsInOnePass) {
    std::string text = "A Down";
    for (int i = 0; i < 1599; ++i)
        text += ",, Down";
    int judged = 0;
    const SplitItems split = SplitIntoItems(text, ',', [&judged](std::string_view item) {
        ++judged;
        return JudgeOf(item);
    });
    EXPECT_EQ(split.items.size(), 1600u);
    EXPECT_LT(judged, 3 * 1600 * 2);  // a bounded number of tries per separator
}

TEST(NameMatchingTest, SlipsOfTheFingersFindTheirName) {
    const std::vector<std::string> names = {"LCTRL",      "RCTRL",          "CLEAR",
                                            "Mute",       "Mouse Wheel Up", "Mouse Wheel Dn",
                                            "LEFT ARROW", "UP ARROW"};
    struct Case {
        std::string typed;
        std::vector<std::string> suggestions;
    };
    const Case cases[] = {
        {"Ctlr", {"LCTRL", "RCTRL"}},
        {"mutee", {"Mute"}},
        {"mouse whel up", {"Mouse Wheel Up"}},
        {"arrow", {"LEFT ARROW", "UP ARROW"}},  // none close: the names holding it
        {"x", {}},
        {"zzzzzzzz", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClosestNames(c.typed, names), c.suggestions) << c.typed;
    }
    EXPECT_TRUE(SameLetters("lctrl", "LCTRL"));
    EXPECT_FALSE(SameLetters("lctr", "LCTRL"));
    EXPECT_EQ(DidYouMean({"a", "b", "c"}), "; did you mean 'a', 'b' or 'c'?");
    EXPECT_EQ(DidYouMeanOrUse("q", {"a", "bb"}), "; use 'a' or 'bb'");
}

TEST(EditValuesTest, KeysByNumberOrCaption) {
    struct Case {
        std::string text;
        int key;            // 0: refused
        std::string error;  // part of the refusal
    };
    const Case cases[] = {
        {"46", 46, ""},
        {"a", 46, ""},
        {"caps lock", 45, ""},
        {"1", 1, ""},  // digits are numbers: the key captioned "1" is 16
        {"~", 15, ""},
        {"-", 26, ""},
        {"0", 0, "there is no key 0: keys are numbered 1 to 82"},
        {"83", 0, "there is no key 83"},
        {"Shift", 0, "the caption 'Shift' is on keys 59 and 70; give the key number"},
        {"Esk", 0, "unknown key 'Esk'; did you mean 'Esc'?"},
    };
    for (const Case& c : cases) {
        const Parsed<int> key = ParseKey(c.text);
        EXPECT_EQ(key.value.value_or(0), c.key) << c.text;
        EXPECT_NE(key.error.find(c.error), std::string::npos) << key.error;
    }
    EXPECT_EQ(ParseKeys("1-3,A,2,-").value, (std::vector<int>{1, 2, 3, 46, 26}));
    EXPECT_EQ(ParseKeys("ALL").value->size(), 82u);
    EXPECT_NE(ParseKeys("9-3").error.find("runs backwards"), std::string::npos);
    EXPECT_NE(ParseKeys("1,,2").error, "");
}

TEST(EditValuesTest, ColoursAndOptionValues) {
    const Parsed<Colour> orange = ParseColour("#FF8000");
    ASSERT_TRUE(orange.value);
    EXPECT_EQ(orange.value->red, 255);
    EXPECT_EQ(orange.value->green, 128);
    EXPECT_EQ(orange.value->blue, 0);
    EXPECT_EQ(ParseColour("0a0b0c").value->blue, 12);
    for (const char* bad : {"#fff", "red", "#ff80000", "#gg0000", ""})
        EXPECT_FALSE(ParseColour(bad).value) << bad;

    EXPECT_EQ(ParseLayer("right").value, 1);
    EXPECT_EQ(ParseLayer("LeftFn").value, 2);
    EXPECT_EQ(ParseLayer("0").value, 0);
    EXPECT_FALSE(ParseLayer("up").value);
    EXPECT_EQ(ParsePlayMode("Hold").value, 1);
    EXPECT_EQ(ParsePlayMode("2").value, 2);
    EXPECT_FALSE(ParsePlayMode("loop").value);
    EXPECT_EQ(ParseNumberIn("255", 1, 255, "n").value, 255);
    for (const char* bad : {"0", "256", "-1", "1e2", ""})
        EXPECT_FALSE(ParseNumberIn(bad, 1, 255, "n").value) << bad;
}

class KeyNameTableTest : public ::testing::Test {
protected:
    KeyNameTableTest() { config_.BuildCodeTables(); }
    CKeyboardConfig config_;
};

TEST_F(KeyNameTableTest, NamesResolveToTheExactSpellingForTheirUse) {
    struct Case {
        std::string typed;
        NameUse use;
        std::wstring name;  // empty: refused
        int hwCode;
        std::string error;  // part of the refusal
    };
    const Case cases[] = {
        {"lctrl", NameUse::ListKey, L"LCTRL", 67, ""},
        {"a", NameUse::SingleKey, L"A", 43, ""},
        {"<>|", NameUse::SingleKey, L"<>|", 204, ""},
        {"next track", NameUse::Multimedia, L"Next track", 108, ""},
        {"sleep", NameUse::Power, L"Sleep", 76, ""},  // the second "Sleep" of the table
        {"POWER", NameUse::Power, L"Power", 77, ""},
        {"left double click", NameUse::Mouse, L"Left Double Click", 199, ""},
        {"unit time", NameUse::Mouse, L"Unit Time", 158, ""},
        {"mouse key left", NameUse::MacroEvent, L"Mouse Key Left", 130, ""},
        {"rightfn", NameUse::Function, L"RightFN", 156, ""},
        {"Sleep", NameUse::ListKey, L"", 0, "'Sleep' is a power action, not a keyboard key"},
        {"Mute", NameUse::SingleKey, L"", 0, "use 'media Mute'"},
        {"Left Double Click", NameUse::SingleKey, L"", 0, "is a mouse action"},
        {"Mouse Left", NameUse::MacroEvent, L"", 0, "not a keyboard key or mouse button"},
        {"F13", NameUse::ListKey, L"", 0, "'F13' has no code on the keyboard"},
        {"Ctlr", NameUse::ListKey, L"", 0, "did you mean 'LCTRL' or 'RCTRL'?"},
        {"Standby", NameUse::Power, L"", 0, "use 'Wake Up', 'Sleep' or 'Power'"},
        {"Qwerty", NameUse::SingleKey, L"", 0, "('z9rtctl names single' lists them)"},
        {"", NameUse::ListKey, L"", 0, "a keyboard key name is missing"},
    };
    const KeyNameTable table(config_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const NameLookup lookup = table.Find(c.typed, c.use);
        EXPECT_EQ(lookup.found ? lookup.found->name : L"", c.name);
        EXPECT_EQ(lookup.found ? lookup.found->hwCode : 0, c.hwCode);
        EXPECT_NE(lookup.error.find(c.error), std::string::npos) << lookup.error;
    }
}

TEST_F(KeyNameTableTest, EachKindOffersTheCodesOfItsPage) {
    const KeyNameTable table(config_);
    EXPECT_EQ(table.NamesFor(NameUse::Power),
              (std::vector<std::string>{"Wake Up", "Sleep", "Power"}));
    EXPECT_EQ(table.NamesFor(NameUse::Multimedia).size(), 18u);  // HW codes 108..125
    EXPECT_EQ(table.NamesFor(NameUse::Mouse).size(), 13u);       // the Mouse page's icons
    const std::vector<std::string> keys = table.NamesFor(NameUse::SingleKey);
    for (const char* key : {"ESC", "A", "(Enter)", "(00)", "<>|", "RightFN"}) {
        EXPECT_EQ(std::count(keys.begin(), keys.end(), key), key == std::string("RightFN") ? 0 : 1)
            << key;
    }
    const std::vector<std::string> events = table.NamesFor(NameUse::MacroEvent);
    EXPECT_EQ(events.size(), keys.size() + 5);  // and the mouse buttons and wheel
}

}  // namespace
}  // namespace z9rt::cli

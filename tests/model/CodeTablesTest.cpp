#include "model/CodeTables.h"
#include "model/WideText.h"

#include <gtest/gtest.h>

#include <algorithm>

using model::CKeyCodeTables;
using model::DelayItemText;
using model::IsValidUtf8;
using model::kCaptionChinese;
using model::kCaptionEnglish;
using model::kCodeTableSize;
using model::KeyCaption;
using model::KindEmulation;
using model::KindFunction;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindOfHWCode;
using model::KindOfReadBackCode;
using model::KindPower;
using model::KindSingle;
using model::ParseDecimal;
using model::Utf8FromWide;
using model::WideFromUtf8;

namespace {

class CodeTables : public ::testing::Test {
protected:
    void SetUp() override { tables.FillCodeTables(); }
    CKeyCodeTables tables;
};

TEST_F(CodeTables, HoldTheNamesAndCodesOfTheKeyboard) {
    EXPECT_EQ(tables.keyNames.size(), 254U);
    EXPECT_EQ(
        std::count_if(tables.vkToHw.begin(), tables.vkToHw.end(), [](int hw) { return hw != 0; }),
        182);
    // The surviving names of codes assigned more than once.
    EXPECT_EQ(tables.keyNames.at(0x15), L"IME Hangul mode");
    EXPECT_EQ(tables.keyNames.at(0x19), L"IME Kanji mode");
    EXPECT_EQ(tables.keyNames.at(0xE2), L"<>|");
    EXPECT_EQ(tables.keyNames.at(0xDC), L"\\");
    EXPECT_EQ(tables.keyNames.count(999), 0U);
    EXPECT_EQ(tables.vkToHw[999], 77);
    EXPECT_EQ(tables.vkToHw[0x14D], 77);
    EXPECT_EQ(tables.keyNames.begin()->first, 0x01);
    EXPECT_EQ(tables.keyNames.rbegin()->first, 0x1C8);
}

TEST_F(CodeTables, InverseTableMapsToTheHighestKeyCode) {
    EXPECT_EQ(tables.hwToVk[77], 999);
    EXPECT_EQ(tables.hwToVk[0], 1023);
    EXPECT_EQ(tables.hwToVk[43], 0x41);
    EXPECT_EQ(tables.hwToVk[199], 0x1C7);
    EXPECT_EQ(tables.hwToVk[205], 0);  // no key code reaches it
    for (int hw = 1; hw < kCodeTableSize; ++hw) {
        const int code = tables.hwToVk[static_cast<std::size_t>(hw)];
        if (code != 0) {
            EXPECT_EQ(tables.vkToHw[static_cast<std::size_t>(code)], hw);
        }
    }
}

TEST_F(CodeTables, NameOfHWCode) {
    EXPECT_EQ(tables.NameOfHWCode(43), L"A");
    EXPECT_EQ(tables.NameOfHWCode(199), L"Left Double Click");
    EXPECT_EQ(tables.NameOfHWCode(0), L"-- --");
    EXPECT_EQ(tables.NameOfHWCode(77), L"-- --");  // through 999, which has no name
    EXPECT_EQ(tables.NameOfHWCode(75), L"Wake Up");
    EXPECT_EQ(tables.NameOfHWCode(76), L"Sleep");
    EXPECT_EQ(tables.NameOfHWCode(152), L"Ctrl&Caps Exchange");
    EXPECT_EQ(tables.NameOfHWCode(204), L"<>|");
    EXPECT_EQ(tables.NameOfHWCode(300), L"-- --");
    EXPECT_EQ(tables.NameOfHWCode(-1), L"-- --");
    EXPECT_EQ(tables.NameOfHWCode(-2000000000), L"-- --");
    EXPECT_EQ(tables.NameOfHWCode(1024), L"-- --");
    EXPECT_EQ(tables.NameOfHWCode(2000000000), L"-- --");
}

TEST_F(CodeTables, HWCodeOfNameDoesNotTellPressFromRelease) {
    EXPECT_EQ(tables.HWCodeOfName(L"A"), 43);
    EXPECT_EQ(tables.HWCodeOfName(L"A Down"), 43);
    EXPECT_EQ(tables.HWCodeOfName(L"A UP"), 43);
    EXPECT_EQ(tables.HWCodeOfName(L"A Up"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"A  Down"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"Left Double Click"), 199);
    EXPECT_EQ(tables.HWCodeOfName(L"(00)"), 203);
}

TEST_F(CodeTables, HWCodeOfNameResolvesDuplicatesThroughTheLowestCode) {
    EXPECT_EQ(tables.HWCodeOfName(L"Sleep"), 0);  // 0x5F before 0x14C
    EXPECT_EQ(tables.HWCodeOfName(L"Reserved"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"OEM specific"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"CLEAR"), 0);  // 0x0C has no HW code
    EXPECT_EQ(tables.HWCodeOfName(L"Clear"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"clear"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"Wake Up"), 75);
    EXPECT_EQ(tables.HWCodeOfName(L"no such key"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L""), 0);
}

TEST_F(CodeTables, HWCodeOfNameReadsDelays) {
    EXPECT_EQ(tables.HWCodeOfName(DelayItemText(120)), 120);
    EXPECT_EQ(tables.HWCodeOfName(L"<30 ms>"), 30);
    EXPECT_EQ(tables.HWCodeOfName(L"< -7 ms>"), -7);
    EXPECT_EQ(tables.HWCodeOfName(L"<x ms>"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"<99999999999 ms>"), 2147483647);
    // Texts too short to hold a number around the marker.
    EXPECT_EQ(tables.HWCodeOfName(L"ms>"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"<ms>"), 0);
    EXPECT_EQ(tables.HWCodeOfName(L"< ms>"), 0);
}

TEST_F(CodeTables, EventName) {
    EXPECT_EQ(tables.EventName(0x41, true), L"A Down");
    EXPECT_EQ(tables.EventName(0x241, true), L"A UP");
    EXPECT_EQ(tables.EventName(0x41, false), L"A");
    EXPECT_EQ(tables.EventName(0x10D, true), L"(Enter) Down");
    EXPECT_EQ(tables.EventName(0x07, true), L"-- --");
    EXPECT_EQ(tables.EventName(-1, true), L"-- --");
    EXPECT_EQ(tables.EventName(0x0C, false), L"CLEAR");
    EXPECT_EQ(tables.EventName(0xFE, false), L"Clear");
}

TEST_F(CodeTables, KindNames) {
    EXPECT_EQ(tables.kindName[kCaptionEnglish][KindEmulation], L"Emulation");
    EXPECT_EQ(tables.kindName[kCaptionChinese][KindPower], L"电源键");
    EXPECT_EQ(tables.kindName[kCaptionChinese][KindNotSet], L"未设置");
}

TEST(KeyCaptions, CoverEveryKeyNumber) {
    EXPECT_EQ(KeyCaption(1), L"Esc");
    EXPECT_EQ(KeyCaption(43), L"\\");
    EXPECT_EQ(KeyCaption(82), L"Right");
    EXPECT_EQ(KeyCaption(0), L"");
    EXPECT_EQ(KeyCaption(83), L"");
}

TEST(KindOfHWCode, FollowsTheRangesWithTheMouseExceptions) {
    EXPECT_EQ(KindOfHWCode(0), KindNotSet);
    EXPECT_EQ(KindOfHWCode(76), KindPower);
    EXPECT_EQ(KindOfHWCode(75), KindPower);
    EXPECT_EQ(KindOfHWCode(74), KindSingle);
    EXPECT_EQ(KindOfHWCode(107), KindSingle);
    EXPECT_EQ(KindOfHWCode(108), KindMultimedia);
    EXPECT_EQ(KindOfHWCode(125), KindMultimedia);
    EXPECT_EQ(KindOfHWCode(126), KindMouse);
    EXPECT_EQ(KindOfHWCode(134), KindMouse);
    EXPECT_EQ(KindOfHWCode(135), KindFunction);
    EXPECT_EQ(KindOfHWCode(157), KindMouse);
    EXPECT_EQ(KindOfHWCode(158), KindMouse);
    EXPECT_EQ(KindOfHWCode(173), KindMouse);
    EXPECT_EQ(KindOfHWCode(198), KindFunction);
    EXPECT_EQ(KindOfHWCode(199), KindSingle);
    EXPECT_EQ(KindOfHWCode(203), KindSingle);
    EXPECT_EQ(KindOfReadBackCode(0), KindSingle);
    EXPECT_EQ(KindOfReadBackCode(157), KindMouse);
}

TEST(WideText, ParseDecimalReadsLikeTheToLongConversion) {
    EXPECT_EQ(ParseDecimal(L""), 0);
    EXPECT_EQ(ParseDecimal(L"  \t42xyz"), 42);
    EXPECT_EQ(ParseDecimal(L"-17"), -17);
    EXPECT_EQ(ParseDecimal(L"+5"), 5);
    EXPECT_EQ(ParseDecimal(L"- 5"), 0);
    EXPECT_EQ(ParseDecimal(L"abc"), 0);
    EXPECT_EQ(ParseDecimal(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"2147483648"), 2147483647);
    EXPECT_EQ(ParseDecimal(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal(L"-99999999999999999999999"), -2147483647 - 1);
}

TEST(WideText, Utf8RoundTripsAndKeepsInvalidBytesAsLatin1) {
    const std::wstring text = L"Ctrl&Caps 宏键 \U0001F600";
    EXPECT_EQ(WideFromUtf8(Utf8FromWide(text)), text);
    EXPECT_EQ(Utf8FromWide(L"宏"), "\xE5\xAE\x8F");
    EXPECT_EQ(WideFromUtf8("a\xE9z"), L"a\u00E9z");
    EXPECT_EQ(WideFromUtf8("\xED\xA0\x80"), L"\u00ED\u00A0\u0080");  // a surrogate is invalid
    EXPECT_EQ(WideFromUtf8("\xC0\xAF"), L"\u00C0\u00AF");            // overlong
    EXPECT_EQ(Utf8FromWide(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_TRUE(IsValidUtf8("abc\xE5\xAE\x8F", false));
    EXPECT_FALSE(IsValidUtf8("abc\xE5\xAE", false));
    EXPECT_TRUE(IsValidUtf8("abc\xE5\xAE", true));
    EXPECT_FALSE(IsValidUtf8("a\xE9z", true));
}

}  // namespace

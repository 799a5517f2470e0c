#include "model/KeyDefinitionArrays.h"
#include "model/WideText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

using model::ApplyKeyReadBack;
using model::CItemList;
using model::CKeyboardProfile;
using model::CKeyCodeTables;
using model::DecodeKeyDefinition;
using model::DelayItemText;
using model::EncodeKeyAssignment;
using model::KeyReadBack;
using model::KindCombo;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;
using model::KindSingle;

namespace {

using ::testing::ElementsAre;

class KeyArrays : public ::testing::Test {
protected:
    void SetUp() override { codes.FillCodeTables(); }

    static CItemList ListOf(std::initializer_list<std::wstring> texts) {
        CItemList list;
        list.SizeOfView = 9;
        for (const std::wstring& text : texts) {
            list.Append(text);
        }
        return list;
    }

    KeyReadBack Decode(std::vector<int> array) const {
        return DecodeKeyDefinition(array.data(), array.size(), codes);
    }

    CKeyCodeTables codes;
};

TEST_F(KeyArrays, SingleCodesAndTheDoubleClick) {
    const CItemList unused = ListOf({L"ignored"});
    EXPECT_THAT(EncodeKeyAssignment(KindSingle, 43, unused, codes), ElementsAre(0, 1, 43));
    EXPECT_THAT(EncodeKeyAssignment(KindPower, 76, unused, codes), ElementsAre(0, 1, 76));
    EXPECT_THAT(EncodeKeyAssignment(KindSingle, 0, unused, codes), ElementsAre(0, 1, 0));
    EXPECT_THAT(EncodeKeyAssignment(KindMouse, 199, unused, codes), ElementsAre(0, 2, 130, 130));
    EXPECT_TRUE(EncodeKeyAssignment(KindNotSet, 43, unused, codes).empty());
    EXPECT_TRUE(EncodeKeyAssignment(-3, 43, unused, codes).empty());
}

TEST_F(KeyArrays, CombosAndEmulationsCarryTheirItemsAsCodes) {
    CItemList combo = ListOf({L"LCTRL", L"A"});
    EXPECT_THAT(EncodeKeyAssignment(KindCombo, 110, combo, codes), ElementsAre(0, 2, 67, 43));
    CItemList emulation = ListOf({L"A", L"B", L"Sleep"});
    emulation.Delay = 120;
    EXPECT_THAT(EncodeKeyAssignment(KindEmulation, 0, emulation, codes),
                ElementsAre(1, 120, 3, 43, 60, 0));
}

TEST_F(KeyArrays, MacroWithRecordedDelays) {
    CItemList macro = ListOf({L"A Down", DelayItemText(50), L"A UP"});
    macro.Cycles = 3;
    macro.Delay = 77;  // not used with recorded delays
    EXPECT_THAT(EncodeKeyAssignment(KindMacro, 0, macro, codes),
                ElementsAre(2, 0, 3, 1, 0, 2, 43, 50, 43));
    macro.PlayMode = 1;  // cycles only travel in play mode 0
    EXPECT_THAT(EncodeKeyAssignment(KindMacro, 0, macro, codes),
                ElementsAre(2, 1, 0, 1, 0, 2, 43, 50, 43));
}

// A profile may hold delays a key record cannot carry: they reach the keyboard clamped, never
// cut to their low 16 bits.
TEST_F(KeyArrays, MacroDelaysBeyondSixteenBitsAreClamped) {
    const CItemList macro = ListOf({L"A Down", DelayItemText(70000), L"A UP", DelayItemText(65535),
                                    L"B Down", L"<-5 ms>", L"B UP"});
    EXPECT_THAT(EncodeKeyAssignment(KindMacro, 0, macro, codes),
                ElementsAre(2, 0, 1, 1, 0, 4, 43, 65535, 43, 65535, 60, 0, 60));
}

TEST_F(KeyArrays, MacroWithAFixedInterval) {
    CItemList macro = ListOf({L"LSHIFT Down", L"B Down", L"B UP", L"LSHIFT UP"});
    macro.IsAutoInterval = true;
    macro.Delay = 25;
    macro.Cycles = 2;
    EXPECT_THAT(EncodeKeyAssignment(KindMacro, 0, macro, codes),
                ElementsAre(2, 0, 2, 0, 25, 4, 55, 60, 60, 55));
}

TEST_F(KeyArrays, ContentBeyondWhatARecordCarriesIsCutOff) {
    CItemList combo;
    CItemList emulation;
    CItemList macro;
    for (int i = 0; i < 40000; ++i) {
        combo.Append(L"A");
        emulation.Append(L"A");
        macro.Append(i % 2 == 0 ? L"A Down" : L"<5 ms>");
    }
    EXPECT_EQ(EncodeKeyAssignment(KindCombo, 0, combo, codes).size(), 2U + 58U);
    EXPECT_EQ(EncodeKeyAssignment(KindEmulation, 0, emulation, codes).size(), 3U + 56U);
    const std::vector<int> delayed = EncodeKeyAssignment(KindMacro, 0, macro, codes);
    EXPECT_EQ(delayed[5], 16383);  // 4 bytes per event fit 65535 bytes
    EXPECT_EQ(delayed.size(), 6U + 2U * 16383U - 1U);
    macro.IsAutoInterval = true;
    EXPECT_EQ(EncodeKeyAssignment(KindMacro, 0, macro, codes)[5], 40000);
}

TEST_F(KeyArrays, SingleCodeReadBack) {
    const KeyReadBack single = Decode({0, 1, 43, 0, 0, 0});
    EXPECT_EQ(single.kind, KindSingle);
    EXPECT_EQ(single.hwCode, 43);
    EXPECT_FALSE(single.list);

    // A code 0 read back is a single key, not an unset one.
    const KeyReadBack zero = Decode({0, 1, 0, 0, 0, 0});
    EXPECT_EQ(zero.kind, KindSingle);
    EXPECT_EQ(zero.hwCode, 0);

    EXPECT_EQ(Decode({0, 1, 112, 0, 0, 0}).kind, KindMultimedia);
    EXPECT_EQ(Decode({0, 1, 158, 0, 0, 0}).kind, KindMouse);
    EXPECT_EQ(Decode({0, 1, 150, 0, 0, 0}).kind, KindFunction);
    EXPECT_EQ(Decode({0, 1, 77, 0, 0, 0}).kind, KindPower);

    const KeyReadBack doubleClick = Decode({0, 2, 130, 130, 0, 0});
    EXPECT_EQ(doubleClick.kind, KindMouse);
    EXPECT_EQ(doubleClick.hwCode, 199);

    const KeyReadBack empty = Decode({0, 0, 0, 0, 0, 0});
    EXPECT_EQ(empty.kind, KindNotSet);
    EXPECT_FALSE(empty.hwCode);
    EXPECT_FALSE(empty.list);

    EXPECT_EQ(Decode({3, 1, 43, 0, 0, 0}).kind, KindNotSet);
    EXPECT_EQ(Decode({-1, 1, 43, 0, 0, 0}).kind, KindNotSet);
}

TEST_F(KeyArrays, ComboReadBackBuildsAListAsAppendingDoes) {
    const KeyReadBack combo = Decode({0, 2, 130, 43, 0, 0});
    EXPECT_EQ(combo.kind, KindCombo);
    EXPECT_FALSE(combo.hwCode);
    ASSERT_TRUE(combo.list);
    EXPECT_THAT(combo.list->Items(), ElementsAre(L"Mouse Key Left", L"A"));
    EXPECT_EQ(combo.list->SizeOfView, 6);
    EXPECT_EQ(combo.list->CursorPos, 1);
    EXPECT_EQ(combo.list->Delay, 30);

    std::vector<int> seven{0, 7, 1, 2, 3, 4, 5, 6, 7};
    const KeyReadBack scrolled = Decode(seven);
    EXPECT_EQ(scrolled.list->Count(), 7);
    EXPECT_EQ(scrolled.list->ViewStartAt, 1);  // 7 items in a view of 6
    EXPECT_EQ(scrolled.list->CursorPos, 5);
    EXPECT_EQ(scrolled.list->SubLists()[0].SizeOfView, 6);
}

TEST_F(KeyArrays, EmulationReadBack) {
    const KeyReadBack emulation = Decode({1, 250, 2, 43, 44, 0});
    EXPECT_EQ(emulation.kind, KindEmulation);
    ASSERT_TRUE(emulation.list);
    EXPECT_THAT(emulation.list->Items(), ElementsAre(L"A", L"S"));
    EXPECT_EQ(emulation.list->Delay, 250);
    EXPECT_EQ(emulation.list->SizeOfView, 9);
    EXPECT_EQ(Decode({1, 250, 0, 0, 0, 0}).kind, KindNotSet);
}

TEST_F(KeyArrays, MacroReadBackGivesBareNamesAndDelayTexts) {
    const KeyReadBack delayed = Decode({2, 0, 3, 1, 0, 2, 43, 50, 43});
    EXPECT_EQ(delayed.kind, KindMacro);
    ASSERT_TRUE(delayed.list);
    EXPECT_THAT(delayed.list->Items(), ElementsAre(L"A", L"<50 ms>", L"A"));
    EXPECT_FALSE(delayed.list->IsAutoInterval);
    EXPECT_EQ(delayed.list->Cycles, 3);
    EXPECT_EQ(delayed.list->SizeOfView, 9);

    const KeyReadBack fixed = Decode({2, 2, 0, 0, 25, 3, 55, 60, 55});
    EXPECT_THAT(fixed.list->Items(), ElementsAre(L"LSHIFT", L"B", L"LSHIFT"));
    EXPECT_TRUE(fixed.list->IsAutoInterval);
    EXPECT_EQ(fixed.list->Delay, 25);
    EXPECT_EQ(fixed.list->PlayMode, 2);
    EXPECT_EQ(fixed.list->Cycles, 0);

    EXPECT_EQ(Decode({2, 0, 1, 1, 0, 0, 0}).kind, KindNotSet);
}

TEST_F(KeyArrays, CountsBeyondTheArrayAreCutToWhatItHolds) {
    const KeyReadBack combo = Decode({0, INT_MAX, 43, 44, 45, 46});
    EXPECT_EQ(combo.list->Count(), 4);
    const KeyReadBack emulation = Decode({1, 30, 1000000, 43, 44, 45});
    EXPECT_EQ(emulation.list->Count(), 3);
    const KeyReadBack macro = Decode({2, 0, 1, 1, 0, 1000, 43, 9, 44, 9});
    EXPECT_THAT(macro.list->Items(), ElementsAre(L"A", L"<9 ms>", L"S"));
    const KeyReadBack negative = Decode({0, -5, 43, 0, 0, 0});
    EXPECT_EQ(negative.kind, KindCombo);
    EXPECT_TRUE(negative.list->Empty());
    EXPECT_EQ(DecodeKeyDefinition(nullptr, 0, codes).kind, KindNotSet);
    const int cut[] = {0, 1};  // the code itself lies beyond the array
    EXPECT_EQ(DecodeKeyDefinition(cut, 2, codes).hwCode, 0);
}

TEST_F(KeyArrays, ApplyKeepsTheStoreTheKindDoesNotUse) {
    CKeyboardProfile profile;
    profile.keyHWCode[5][1] = 110;
    profile.keyList[5][1] = ListOf({L"kept"});
    ApplyKeyReadBack(profile, 5, 1, Decode({0, 2, 67, 43, 0, 0}));
    EXPECT_EQ(profile.keyMode[5][1], KindCombo);
    EXPECT_EQ(profile.keyHWCode[5][1], 110);
    EXPECT_THAT(profile.keyList[5][1].Items(), ElementsAre(L"LCTRL", L"A"));

    ApplyKeyReadBack(profile, 5, 1, Decode({0, 1, 43, 0, 0, 0}));
    EXPECT_EQ(profile.keyMode[5][1], KindSingle);
    EXPECT_EQ(profile.keyHWCode[5][1], 43);
    EXPECT_THAT(profile.keyList[5][1].Items(), ElementsAre(L"LCTRL", L"A"));

    ApplyKeyReadBack(profile, 5, 1, Decode({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(profile.keyMode[5][1], KindNotSet);
    EXPECT_EQ(profile.keyHWCode[5][1], 43);

    ApplyKeyReadBack(profile, 0, 0, Decode({0, 1, 43, 0, 0, 0}));  // no key 0
    ApplyKeyReadBack(profile, 83, 0, Decode({0, 1, 43, 0, 0, 0}));
    EXPECT_EQ(profile.keyMode[0][0], 0);
}

TEST_F(KeyArrays, WrittenArraysReadBackInTheirReadBackForm) {
    CItemList macro = ListOf({L"A Down", L"<50 ms>", L"A UP"});
    const KeyReadBack readBack = Decode(EncodeKeyAssignment(KindMacro, 0, macro, codes));
    EXPECT_THAT(readBack.list->Items(), ElementsAre(L"A", L"<50 ms>", L"A"));

    const std::vector<int> wide = EncodeKeyAssignment(KindSingle, 300, macro, codes);
    EXPECT_EQ(Decode(wide).hwCode, 300);
}

}  // namespace

#include "MacroTestSupport.h"
#include "keysettings/logic/MacroLimits.h"
#include "model/KeyDefinitionArrays.h"

#include <gtest/gtest.h>

#include <climits>

using model::CItemList;
using model::EncodeKeyAssignment;
using model::KindMacro;

namespace {

using keysettings::FitMacroForKeyboard;
using keytest::Codes;
using keytest::Content;
using keytest::ItemsOf;
using Items = std::vector<std::wstring>;

TEST(MacroFit, ContentThatFitsIsLeftAlone) {
    CItemList content = Content({L"A Down", L"<0 ms>", L"A UP", L"<65535 ms>"}, false);
    content.Cycles = 255;
    content.Delay = 60000;
    content.PlayMode = 2;
    const CItemList before = content;
    EXPECT_FALSE(FitMacroForKeyboard(content, Codes()));
    EXPECT_EQ(content, before);
}

TEST(MacroFit, DelaysBeyondTwoBytesAreClampedNotWrapped) {
    CItemList content =
        Content({L"A Down", L"<70000 ms>", L"A UP", L"<-3 ms>", L"B Down", L"<65536 ms>"}, false);
    EXPECT_TRUE(FitMacroForKeyboard(content, Codes()));
    EXPECT_EQ(ItemsOf(content),
              (Items{L"A Down", L"<65535 ms>", L"A UP", L"<0 ms>", L"B Down", L"<65535 ms>"}));
    // What the keyboard then gets: 65535, not 70000 & 0xFFFF = 4464.
    const std::vector<int> array = EncodeKeyAssignment(KindMacro, 0, content, Codes());
    EXPECT_EQ(array[model::keyarray::kMacroFirstEvent + 1], 65535);
    EXPECT_EQ(array[model::keyarray::kMacroFirstEvent + 3], 0);
}

TEST(MacroFit, PlaybackValuesOutsideWhatThePageOffers) {
    struct Case {
        const char* name;
        int cycles;
        int delay;
        int playMode;
        int fittedCycles;
        int fittedDelay;
        int fittedPlayMode;
    };
    const Case cases[] = {
        {"cycles 0", 0, 30, 0, 1, 30, 0},
        {"cycles 300", 300, 30, 0, 255, 30, 0},
        {"interval 70000", 1, 70000, 1, 1, 60000, 1},
        {"interval -1", 1, -1, 2, 1, 0, 2},
        {"play mode 7", 1, 30, 7, 1, 30, 0},
        {"play mode -1", 1, 30, -1, 1, 30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CItemList content = Content({L"A Down"}, true);
        content.Cycles = c.cycles;
        content.Delay = c.delay;
        content.PlayMode = c.playMode;
        EXPECT_TRUE(FitMacroForKeyboard(content, Codes()));
        EXPECT_EQ(content.Cycles, c.fittedCycles);
        EXPECT_EQ(content.Delay, c.fittedDelay);
        EXPECT_EQ(content.PlayMode, c.fittedPlayMode);
    }
}

TEST(MacroFit, ItemsBeyondTheLimitOfTheDelayModeAreCut) {
    struct Case {
        const char* name;
        bool fixedInterval;
        int items;
        int fitted;
    };
    const Case cases[] = {
        {"recorded delays, 900", false, 900, 799},
        {"recorded delays, 799", false, 799, 799},
        {"fixed interval, 1700", true, 1700, 1600},
        {"fixed interval, 1600", true, 1600, 1600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Items items;
        for (int i = 0; i < c.items; ++i) {
            items.push_back(!c.fixedInterval && i % 2 == 1 ? L"<1 ms>" : L"A Down");
        }
        CItemList content = Content(items, c.fixedInterval);
        EXPECT_EQ(FitMacroForKeyboard(content, Codes()), c.items != c.fitted);
        EXPECT_EQ(content.Count(), c.fitted);
    }
}

TEST(MacroFit, ACutWorksWhateverTheViewFieldsHold) {
    Items items(1000, L"A Down");
    for (int viewStart : {INT_MIN, -1, 0, 5000, INT_MAX}) {
        CItemList content = Content(items, true);
        content.ViewStartAt = viewStart;
        content.Delay = 70000;
        FitMacroForKeyboard(content, Codes());
        EXPECT_EQ(content.Count(), 1000);
        EXPECT_EQ(content.Delay, 60000);

        items[1] = L"<90000 ms>";
        content = Content(items, false);
        content.ViewStartAt = viewStart;
        FitMacroForKeyboard(content, Codes());
        EXPECT_EQ(content.Count(), 799);
        EXPECT_EQ(content.Items()[1], L"<65535 ms>");
    }
}

}  // namespace

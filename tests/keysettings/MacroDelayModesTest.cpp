#include "MacroTestSupport.h"
#include "keysettings/logic/MacroDelayModes.h"
#include "keysettings/logic/MacroLimits.h"

#include <gtest/gtest.h>

using model::CItemList;

namespace {

using keysettings::SwitchToFixedInterval;
using keysettings::SwitchToRecordedDelays;
using keytest::Content;
using keytest::ItemsOf;
using Items = std::vector<std::wstring>;

CItemList WithPlayback(CItemList list) {
    list.Cycles = 4;
    list.Delay = 30;
    list.PlayMode = 1;
    list.ViewStartAt = 0;
    list.CursorPos = 0;
    return list;
}

TEST(MacroDelayModes, ConvertingBothWays) {
    CItemList content = WithPlayback(Content({L"A Down", L"<10 ms>", L"A UP"}, false));

    ASSERT_TRUE(SwitchToFixedInterval(content));
    EXPECT_EQ(ItemsOf(content), (Items{L"A Down", L"A UP"}));
    EXPECT_TRUE(content.IsAutoInterval);

    ASSERT_TRUE(SwitchToRecordedDelays(content));
    EXPECT_EQ(ItemsOf(content), (Items{L"A Down", L"<30 ms>", L"A UP"}));
    EXPECT_FALSE(content.IsAutoInterval);

    // The playback values travel, and the rebuilt list shows its last item selected.
    EXPECT_EQ(content.Cycles, 4);
    EXPECT_EQ(content.Delay, 30);
    EXPECT_EQ(content.PlayMode, 1);
    EXPECT_EQ(content.SizeOfView, 9);
    EXPECT_EQ(content.ViewStartAt + content.CursorPos, 2);
}

TEST(MacroDelayModes, TheModeAlreadyInForceChangesNothing) {
    const CItemList recorded = Content({L"A Down", L"<10 ms>", L"A UP"}, false);
    CItemList content = recorded;
    EXPECT_FALSE(SwitchToRecordedDelays(content));
    EXPECT_EQ(content, recorded);

    const CItemList fixed = Content({L"A Down", L"A UP"}, true);
    content = fixed;
    EXPECT_FALSE(SwitchToFixedInterval(content));
    EXPECT_EQ(content, fixed);
}

TEST(MacroDelayModes, EdgeContents) {
    struct Case {
        const char* name;
        Items items;
        bool toFixedInterval;
        Items expected;
    };
    const Case cases[] = {
        {"empty to fixed", {}, true, {}},
        {"empty to recorded", {}, false, {}},
        {"one event to recorded", {L"A Down"}, false, {L"A Down"}},
        {"final delay dropped",
         {L"A Down", L"<5 ms>", L"A UP", L"<50 ms>"},
         true,
         {L"A Down", L"A UP"}},
        // A list that does not alternate (hand-made profile) keeps its events, never its delays.
        {"leading delay dropped",
         {L"<7 ms>", L"A Down", L"<5 ms>", L"A UP"},
         true,
         {L"A Down", L"A UP"}},
        {"mouse events are events",
         {L"Mouse Key Left", L"Mouse Wheel Dn"},
         false,
         {L"Mouse Key Left", L"<30 ms>", L"Mouse Wheel Dn"}},
        // The key left of Z begins like a delay and is an event all the same.
        {"the <>| key", {L"<>| Down", L"<8 ms>", L"<>| UP"}, true, {L"<>| Down", L"<>| UP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CItemList content = Content(c.items, !c.toFixedInterval);
        ASSERT_TRUE(c.toFixedInterval ? SwitchToFixedInterval(content)
                                      : SwitchToRecordedDelays(content));
        EXPECT_EQ(ItemsOf(content), c.expected);
    }
}

TEST(MacroDelayModes, ALongFixedIntervalMacroIsCutToTheLimitOfRecordedDelays) {
    Items events;
    for (int i = 0; i < keysettings::kMostItemsFixedInterval; ++i) {
        events.push_back(i % 2 == 0 ? L"A Down" : L"A UP");
    }
    CItemList content = Content(events, true);
    ASSERT_TRUE(SwitchToRecordedDelays(content));
    EXPECT_EQ(content.Count(), keysettings::kMostItemsWithDelays);
    EXPECT_TRUE(keytest::Alternates(content));
    EXPECT_EQ(content.Items().back(), L"A UP") << "the 400th event ends the list";
}

}  // namespace

#include "MacroTestSupport.h"
#include "keysettings/logic/MacroLimits.h"
#include "keysettings/logic/MacroPopupMenu.h"

#include <gtest/gtest.h>

#include <climits>

using model::CItemList;

namespace {

using namespace keysettings;
using keytest::Codes;
using keytest::Content;
using keytest::ItemsOf;
using Items = std::vector<std::wstring>;

const std::wstring kLeft = L"Mouse Key Left";
const std::wstring kRight = L"Mouse Key Right";
const std::wstring kMiddle = L"Mouse Key Middle";
const std::wstring kWheelUp = L"Mouse Wheel Up";
const std::wstring kWheelDown = L"Mouse Wheel Dn";
const std::wstring kZero = L"<0 ms>";

// A recorded macro: A pressed, 10 ms, A released, 20 ms, B pressed.
const Items kRecorded{L"A Down", L"<10 ms>", L"A UP", L"<20 ms>", L"B Down"};
const Items kFixed{L"A Down", L"A UP", L"B Down"};

CItemList Macro(const Items& items, bool fixedInterval) {
    CItemList content = Content(items, fixedInterval);
    content.ViewStartAt = 0;
    content.CursorPos = 0;
    return content;
}

TEST(MacroPopupCommands, EachInsertionInBothModes) {
    struct Case {
        int command;
        bool fixedInterval;
        int target;
        Items expected;
    };
    const Case cases[] = {
        // Before an event with recorded delays: event, delay for each event.
        {kPopupLeftPress,
         false,
         2,
         {L"A Down", L"<10 ms>", kLeft, kZero, L"A UP", L"<20 ms>", L"B Down"}},
        {kPopupLeftClick,
         false,
         2,
         {L"A Down", L"<10 ms>", kLeft, kZero, kLeft, kZero, L"A UP", L"<20 ms>", L"B Down"}},
        {kPopupRightRelease,
         false,
         0,
         {kRight, kZero, L"A Down", L"<10 ms>", L"A UP", L"<20 ms>", L"B Down"}},
        {kPopupMiddleClick,
         false,
         4,
         {L"A Down", L"<10 ms>", L"A UP", L"<20 ms>", kMiddle, kZero, kMiddle, kZero, L"B Down"}},
        // Before a delay: delay, event for each event.
        {kPopupLeftRelease,
         false,
         1,
         {L"A Down", kZero, kLeft, L"<10 ms>", L"A UP", L"<20 ms>", L"B Down"}},
        {kPopupRightClick,
         false,
         3,
         {L"A Down", L"<10 ms>", L"A UP", kZero, kRight, kZero, kRight, L"<20 ms>", L"B Down"}},
        {kPopupWheelUp,
         false,
         1,
         {L"A Down", kZero, kWheelUp, L"<10 ms>", L"A UP", L"<20 ms>", L"B Down"}},
        {kPopupWheelDown,
         false,
         3,
         {L"A Down", L"<10 ms>", L"A UP", kZero, kWheelDown, L"<20 ms>", L"B Down"}},
        // With a fixed interval: the events alone.
        {kPopupLeftPress, true, 1, {L"A Down", kLeft, L"A UP", L"B Down"}},
        {kPopupLeftRelease, true, 0, {kLeft, L"A Down", L"A UP", L"B Down"}},
        {kPopupLeftClick, true, 2, {L"A Down", L"A UP", kLeft, kLeft, L"B Down"}},
        {kPopupRightPress, true, 2, {L"A Down", L"A UP", kRight, L"B Down"}},
        {kPopupRightClick, true, 0, {kRight, kRight, L"A Down", L"A UP", L"B Down"}},
        {kPopupMiddlePress, true, 1, {L"A Down", kMiddle, L"A UP", L"B Down"}},
        {kPopupMiddleRelease, true, 1, {L"A Down", kMiddle, L"A UP", L"B Down"}},
        {kPopupMiddleClick, true, 1, {L"A Down", kMiddle, kMiddle, L"A UP", L"B Down"}},
        {kPopupWheelUp, true, 2, {L"A Down", L"A UP", kWheelUp, L"B Down"}},
        {kPopupWheelDown, true, 0, {kWheelDown, L"A Down", L"A UP", L"B Down"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "command " << c.command << (c.fixedInterval ? " fixed" : " recorded")
                     << " before item " << c.target);
        CItemList content = Macro(c.fixedInterval ? kFixed : kRecorded, c.fixedInterval);
        ASSERT_TRUE(RunPopupCommand(content, c.command, c.target, Codes()));
        EXPECT_EQ(ItemsOf(content), c.expected);
        if (!c.fixedInterval) {
            EXPECT_TRUE(keytest::Alternates(content));
        }
        // Inserting does not move the view.
        EXPECT_EQ(content.ViewStartAt, 0);
        EXPECT_EQ(content.CursorPos, 0);
    }
}

TEST(MacroPopupCommands, DeleteKeepsEventsAndDelaysAlternating) {
    struct Case {
        const char* name;
        Items items;
        bool fixedInterval;
        int target;
        Items expected;
    };
    const Case cases[] = {
        {"first event with the delay after it",
         kRecorded,
         false,
         0,
         {L"A UP", L"<20 ms>", L"B Down"}},
        {"a delay with the event after it",
         kRecorded,
         false,
         1,
         {L"A Down", L"<20 ms>", L"B Down"}},
        {"a middle event with the delay after it",
         kRecorded,
         false,
         2,
         {L"A Down", L"<10 ms>", L"B Down"}},
        {"the last event with the delay before it",
         kRecorded,
         false,
         4,
         {L"A Down", L"<10 ms>", L"A UP"}},
        {"a final delay alone",
         {L"A Down", L"<10 ms>", L"A UP", L"<50 ms>"},
         false,
         3,
         {L"A Down", L"<10 ms>", L"A UP"}},
        {"the only item", {L"A Down"}, false, 0, {}},
        {"the <>| key with the delay after it",
         {L"<>| Down", L"<3 ms>", L"<>| UP"},
         false,
         0,
         {L"<>| UP"}},
        {"fixed interval: the item alone", kFixed, true, 1, {L"A Down", L"B Down"}},
        {"fixed interval: the last item", kFixed, true, 2, {L"A Down", L"A UP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CItemList content = Macro(c.items, c.fixedInterval);
        ASSERT_TRUE(RunPopupCommand(content, kPopupDelete, c.target, Codes()));
        EXPECT_EQ(ItemsOf(content), c.expected);
    }
}

TEST(MacroPopupCommands, TheKeyLeftOfZIsAnEventNotADelay) {
    CItemList content = Macro({L"<>| Down", L"<3 ms>", L"<>| UP"}, false);
    ASSERT_TRUE(RunPopupCommand(content, kPopupWheelUp, 2, Codes()));
    EXPECT_EQ(ItemsOf(content), (Items{L"<>| Down", L"<3 ms>", kWheelUp, kZero, L"<>| UP"}));
    EXPECT_TRUE(keytest::Alternates(content));
}

TEST(MacroPopupCommands, DeleteTakesTheClickedItemWhateverIsSelected) {
    for (int selected = 0; selected < 5; ++selected) {
        SCOPED_TRACE(testing::Message() << "selected row " << selected);
        CItemList content = Macro(kRecorded, false);
        content.CursorPos = selected;
        ASSERT_TRUE(RunPopupCommand(content, kPopupDelete, 2, Codes()));
        EXPECT_EQ(ItemsOf(content), (Items{L"A Down", L"<10 ms>", L"B Down"}));
        EXPECT_LT(content.ViewStartAt + content.CursorPos, content.Count());
    }
}

TEST(MacroPopupCommands, TargetsOutsideTheListChangeNothing) {
    for (int target : {INT_MIN, -1, 5, 6, INT_MAX}) {
        for (int command : {kPopupLeftClick, kPopupDelete}) {
            CItemList content = Macro(kRecorded, false);
            EXPECT_FALSE(RunPopupCommand(content, command, target, Codes()));
            EXPECT_EQ(ItemsOf(content), kRecorded);
        }
    }
    CItemList content = Macro(kRecorded, false);
    EXPECT_FALSE(RunPopupCommand(content, 1146, 0, Codes())) << "no such command";
    EXPECT_EQ(ItemsOf(content), kRecorded);
    CItemList empty;
    EXPECT_FALSE(RunPopupCommand(empty, kPopupDelete, 0, Codes()));
}

TEST(MacroPopupCommands, TheMenuOpensOnlyOverARowThatShowsAnItem) {
    CItemList content = Macro(kRecorded, false);
    content.ViewStartAt = 3;
    EXPECT_EQ(PopupTarget(content, 0), 3);
    EXPECT_EQ(PopupTarget(content, 1), 4);
    EXPECT_FALSE(PopupTarget(content, 2).has_value());
    EXPECT_FALSE(PopupTarget(content, -4).has_value());
    content.ViewStartAt = INT_MAX;
    EXPECT_FALSE(PopupTarget(content, INT_MAX).has_value());
    EXPECT_FALSE(PopupTarget(CItemList(), 0).has_value());
}

TEST(MacroPopupCommands, ListsAtTheLimitAreCutBack) {
    struct Case {
        const char* name;
        bool fixedInterval;
        int command;
    };
    const Case cases[] = {
        {"recorded delays, a click", false, kPopupLeftClick},
        {"recorded delays, a wheel turn", false, kPopupWheelUp},
        {"fixed interval, a click", true, kPopupRightClick},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int limit = c.fixedInterval ? kMostItemsFixedInterval : kMostItemsWithDelays;
        Items items;
        for (int i = 0; i < limit; ++i) {
            items.push_back(!c.fixedInterval && i % 2 == 1 ? L"<5 ms>" : L"A Down");
        }
        CItemList content = Macro(items, c.fixedInterval);
        ASSERT_TRUE(RunPopupCommand(content, c.command, 0, Codes()));
        EXPECT_EQ(content.Count(), limit);
        EXPECT_NE(content.Items().front(), L"A Down") << "the new events are in front";
        if (!c.fixedInterval) {
            EXPECT_TRUE(keytest::Alternates(content));
        }
    }
}

TEST(MacroPopupMenu, EntriesInBothLanguages) {
    const std::vector<PopupMenuEntry> zh = MacroPopupMenu("zh-CN");
    const std::vector<PopupMenuEntry> en = MacroPopupMenu("en-US");
    ASSERT_EQ(zh.size(), 5U);
    ASSERT_EQ(en.size(), 5U);
    const char* zhTop[] = {"鼠标左键", "鼠标右键", "鼠标中键", "滚轮", "删除"};
    const char* enTop[] = {"Left Click", "Right Click", "Middle Click", "Wheel", "Delete"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(zh[i].text, zhTop[i]);
        EXPECT_EQ(en[i].text, enTop[i]);
    }
    // The three buttons: press, release, click.
    for (std::size_t b = 0; b < 3; ++b) {
        ASSERT_EQ(en[b].submenu.size(), 3U);
        const int first = kPopupLeftPress + 3 * static_cast<int>(b);
        const char* zhSub[] = {"按下", "释放", "点击"};
        const char* enSub[] = {"Press", "Release", "Click"};
        for (std::size_t s = 0; s < 3; ++s) {
            EXPECT_EQ(en[b].submenu[s].command, first + static_cast<int>(s));
            EXPECT_EQ(zh[b].submenu[s].command, first + static_cast<int>(s));
            EXPECT_EQ(en[b].submenu[s].text, enSub[s]);
            EXPECT_EQ(zh[b].submenu[s].text, zhSub[s]);
        }
    }
    ASSERT_EQ(en[3].submenu.size(), 2U);
    EXPECT_EQ(en[3].submenu[0].command, 1144);
    EXPECT_EQ(en[3].submenu[0].text, "Up");
    EXPECT_EQ(zh[3].submenu[0].text, "前翻");
    EXPECT_EQ(en[3].submenu[1].command, 1145);
    EXPECT_EQ(en[3].submenu[1].text, "Down");
    EXPECT_EQ(zh[3].submenu[1].text, "后翻");
    EXPECT_EQ(en[4].command, 1147);
    EXPECT_TRUE(en[4].submenu.empty());
    EXPECT_TRUE(MacroPopupMenu("de-DE").empty());
}

}  // namespace

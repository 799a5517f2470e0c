#include "MacroTestSupport.h"
#include "keysettings/logic/EmulationRecorder.h"

#include <gtest/gtest.h>

using model::CItemList;

namespace {

using keysettings::EmulationRecorder;
using keytest::ItemsOf;
using keytest::kReleased;
using keytest::kVkA;
using keytest::kVkB;
using Items = std::vector<std::wstring>;

// A key message: virtual-key code, released or not.
struct Message {
    int vk;
    bool released;
};

Items Record(const std::vector<Message>& messages, CItemList& content) {
    EmulationRecorder recorder(keytest::Codes());
    recorder.Start(content);
    for (const Message& m : messages) {
        recorder.OnKeyEvent(content, m.vk | (m.released ? kReleased : 0), m.released);
    }
    recorder.Stop();
    EXPECT_FALSE(recorder.IsRecording());
    return ItemsOf(content);
}

TEST(EmulationRecording, KeysInTheOrderPressed) {
    const Message down_a{kVkA, false};
    const Message up_a{kVkA, true};
    const Message down_b{kVkB, false};
    const Message up_b{kVkB, true};
    struct Case {
        const char* name;
        std::vector<Message> messages;
        Items expected;
    };
    const Case cases[] = {
        {"A, A, B", {down_a, up_a, down_a, up_a, down_b, up_b}, {L"A", L"A", L"B"}},
        {"A held (repeats)", {down_a, down_a, down_a, down_a, up_a}, {L"A"}},
        {"B held at the start", {up_b, down_a, up_a}, {L"A"}},
        {"keypad Enter", {{0x10D, false}, {0x10D, true}}, {L"(Enter)"}},
        {"A and B overlapping", {down_a, down_b, up_a, up_b}, {L"A", L"B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CItemList content = keytest::Content({L"old"}, false);
        EXPECT_EQ(Record(c.messages, content), c.expected);
    }
}

TEST(EmulationRecording, ASeventhKeyIsDropped) {
    std::vector<Message> messages;
    for (int vk : {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37}) {
        messages.push_back({vk, false});
        messages.push_back({vk, true});
    }
    CItemList content;
    EXPECT_EQ(Record(messages, content), (Items{L"1", L"2", L"3", L"4", L"5", L"6"}));
}

TEST(EmulationRecording, TheIntervalSurvivesTheStartAndNothingIsTakenOutsideARecording) {
    CItemList content = keytest::Content({L"Q", L"W"}, false);
    content.Delay = 250;
    content.Cycles = 9;
    EmulationRecorder recorder(keytest::Codes());
    EXPECT_EQ(recorder.OnKeyEvent(content, kVkA, false), 0);
    recorder.Start(content);
    EXPECT_TRUE(content.Empty());
    EXPECT_EQ(content.Delay, 250);
    EXPECT_EQ(recorder.OnKeyEvent(content, kVkA, false), 1);
    recorder.Stop();
    EXPECT_EQ(recorder.OnKeyEvent(content, kVkB, false), 0);
    EXPECT_EQ(ItemsOf(content), Items{L"A"});
}

}  // namespace

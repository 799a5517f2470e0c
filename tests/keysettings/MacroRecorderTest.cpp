#include "MacroTestSupport.h"
#include "keysettings/logic/MacroLimits.h"
#include "keysettings/logic/MacroRecorder.h"

#include <gtest/gtest.h>

using model::CItemList;

namespace {

using keysettings::MacroRecorder;
using keytest::Content;
using keytest::ItemsOf;
using keytest::kVkA;
using keytest::kVkB;

using Items = std::vector<std::wstring>;

// A recording in progress, fed with key messages at chosen times.
struct Recording {
    explicit Recording(bool fixedInterval, const Items& previous = {L"X Down"})
        : content(Content(previous, fixedInterval)),
          feed([this](int code, bool released, int elapsed) {
              appended += recorder.OnKeyEvent(content, code, released, elapsed);
          }) {
        recorder.Start(content);
    }

    CItemList content;
    MacroRecorder recorder{keytest::Codes()};
    keytest::KeyFeed feed;
    int appended = 0;
    bool aIsDown = false;  // for RecordEvents
};

TEST(MacroRecording, PressAndReleaseOfOneKey) {
    struct Case {
        const char* name;
        bool fixedInterval;
        Items expected;
    };
    const Case cases[] = {
        {"recorded delays: the delay between them and the final one",
         false,
         {L"A Down", L"<120 ms>", L"A UP", L"<50 ms>"}},
        {"fixed interval: the two events only", true, {L"A Down", L"A UP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recording recording(c.fixedInterval);
        recording.feed.Press(1000, kVkA);
        recording.feed.Release(1120, kVkA);
        recording.recorder.Stop(recording.content);
        EXPECT_FALSE(recording.recorder.IsRecording());
        EXPECT_EQ(ItemsOf(recording.content), c.expected);
    }
}

TEST(MacroRecording, AHeldKeyMeasuresItsReleaseFromTheLastRepeat) {
    Recording recording(false);
    recording.feed.Press(0, kVkA);
    // Auto-repeat from half a second on, every 33 ms, until the key is let go at two seconds.
    int lastRepeat = 0;
    for (int repeat = 500; repeat < 2000; repeat += 33) {
        recording.feed.Press(repeat, kVkA);
        lastRepeat = repeat;
    }
    recording.feed.Release(2000, kVkA);
    EXPECT_EQ(ItemsOf(recording.content),
              (Items{L"A Down", L"<" + std::to_wstring(2000 - lastRepeat) + L" ms>", L"A UP"}));
}

TEST(MacroRecording, AKeyHeldAtTheStartLosesItsReleaseAndLeavesNoDelayInFront) {
    Recording recording(false);
    recording.feed.Release(300, kVkA);  // A was down before the start
    recording.feed.Press(800, kVkB);
    recording.feed.Release(870, kVkB);
    EXPECT_EQ(ItemsOf(recording.content), (Items{L"B Down", L"<70 ms>", L"B UP"}));
}

TEST(MacroRecording, StartKeepsThePlaybackValuesAndForgetsWhichKeysWereDown) {
    Recording recording(false);
    recording.feed.Press(0, kVkA);  // A stays down past the stop
    recording.recorder.Stop(recording.content);

    recording.content.Cycles = 7;
    recording.content.Delay = 45;
    recording.content.PlayMode = 2;
    recording.recorder.Start(recording.content);
    EXPECT_TRUE(recording.content.Empty());
    EXPECT_EQ(recording.content.Cycles, 7);
    EXPECT_EQ(recording.content.Delay, 45);
    EXPECT_EQ(recording.content.PlayMode, 2);
    EXPECT_FALSE(recording.content.IsAutoInterval);
    EXPECT_EQ(recording.content.SizeOfView, 9);
    // A counts as up again: its next press is taken.
    recording.feed.Press(5000, kVkA);
    EXPECT_EQ(ItemsOf(recording.content), Items{L"A Down"});
}

TEST(MacroRecording, NothingIsTakenOutsideARecordingAndAnEmptyOneStaysEmpty) {
    Recording recording(false);
    recording.recorder.Stop(recording.content);
    EXPECT_TRUE(recording.content.Empty()) << "a lone final delay would reach the keyboard";
    recording.feed.Press(0, kVkA);
    EXPECT_TRUE(recording.content.Empty());
    EXPECT_EQ(recording.recorder.Stop(recording.content), 0);
}

TEST(MacroRecording, KeypadEnterAndLongPausesAsTheyArrive) {
    Recording recording(false);
    recording.feed.Press(0, 0x0D | 0x100);
    recording.recorder.OnKeyEvent(recording.content, 0x30D, true, 90000);
    EXPECT_EQ(ItemsOf(recording.content), (Items{L"(Enter) Down", L"<65535 ms>", L"(Enter) UP"}));
}

// Presses and releases of A in turn, 10 ms apart, `events` of them.
void RecordEvents(Recording& recording, int events, int startMs = 0) {
    for (int e = 0; e < events; ++e) {
        const int time = startMs + 10 * (e + 1);
        if (recording.aIsDown) {
            recording.feed.Release(time, kVkA);
        } else {
            recording.feed.Press(time, kVkA);
        }
        recording.aIsDown = !recording.aIsDown;
    }
}

TEST(MacroRecording, RecordedDelaysStopAtTheLimitOnAnEvent) {
    struct Case {
        const char* name;
        bool heldKeyAtStart;
    };
    for (const Case& c : {Case{"plain", false}, Case{"first message dropped", true}}) {
        SCOPED_TRACE(c.name);
        Recording recording(false);
        if (c.heldKeyAtStart) {
            recording.feed.Release(0, kVkB);
        }
        RecordEvents(recording, 399, 100);
        ASSERT_EQ(recording.content.Count(), 797);
        // At 797 items the next event brings its delay and itself: 799, the limit.
        RecordEvents(recording, 1, 9000);
        ASSERT_EQ(recording.content.Count(), keysettings::kMostItemsWithDelays);
        EXPECT_EQ(recording.content.Items().back(), L"A UP");
        RecordEvents(recording, 3, 20000);
        recording.recorder.Stop(recording.content);
        EXPECT_EQ(recording.content.Count(), 799) << "no event, no delay and no final delay";
        EXPECT_TRUE(keytest::Alternates(recording.content));
    }
}

TEST(MacroRecording, AFixedIntervalTakesEventsUpTo1600) {
    Recording recording(true);
    RecordEvents(recording, 798);
    ASSERT_EQ(recording.content.Count(), 798);
    RecordEvents(recording, 1, 20000);  // past 798 there is still room, and no delay
    ASSERT_EQ(recording.content.Count(), 799);
    EXPECT_FALSE(keysettings::IsDelayItem(recording.content.Items().back()));
    RecordEvents(recording, 805, 30000);
    EXPECT_EQ(recording.content.Count(), keysettings::kMostItemsFixedInterval);
    recording.recorder.Stop(recording.content);
    EXPECT_EQ(recording.content.Count(), 1600);
    // The view follows the recording to the last item.
    EXPECT_EQ(recording.content.ViewStartAt + recording.content.CursorPos, 1599);
}

}  // namespace

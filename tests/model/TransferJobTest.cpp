// The transfer jobs on the simulated keyboard: the progress each reports and the pauses it
// takes, the step that failed, what a job writes being taken when it is made, and how the
// library's posts find their listeners.
#include "RunTransferJob.h"
#include "SimulatedKeyboard.h"
#include "model/LibraryPosts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using model::CKeyboardConfig;
using model::JobPauses;
using model::KindNotSet;
using model::KindSingle;
using model::kOneStepProgress;
using model::TransferJob;
using model::TransferJobKind;
using model::TransferStep;

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::uint32_t> windowPosts;

bool RecordWindowPost(WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t) {
    windowPosts.push_back(message);
    return true;
}

class TransferJobs : public ::testing::Test {
protected:
    void SetUp() override {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        windowPosts.clear();
        model::library_posts::Install(&RecordWindowPost);
        config_.BuildCodeTables();
        config_.deviceType = kDeviceTypePrsmBle;
        config_.ResetToDefaults();
        ASSERT_TRUE(config_.device.__createDev());
    }
    void TearDown() override {
        static_cast<void>(z9rt::sim::SetSimulatedKeyboardFaults(""));
        SetMessagePoster(nullptr);
    }

    CKeyboardConfig config_;
};

TEST_F(TransferJobs, ReportProgressTakePausesAndNameTheFailedStep) {
    const struct {
        TransferJobKind kind;
        const char* fault;
        std::size_t progressCount;  // values reported
        int lastProgress;
        std::vector<int> pauses;
        std::optional<TransferStep> failed;
    } cases[] = {
        {TransferJobKind::WriteKeys, "", 246, 245, {1000}, std::nullopt},
        {TransferJobKind::WriteKeys, "unplug-after=0", 0, -1, {}, TransferStep::Keys},
        {TransferJobKind::ReadAll, "", 246, 245, {2000}, std::nullopt},
        {TransferJobKind::ReadAll, "silent", 0, -1, {}, TransferStep::Keys},
        {TransferJobKind::WriteLights, "", 1, kOneStepProgress, {1000}, std::nullopt},
        {TransferJobKind::ReadLights, "", 1, kOneStepProgress, {1000}, std::nullopt},
        {TransferJobKind::ReadLights, "silent", 1, kOneStepProgress, {}, TransferStep::Lights},
        {TransferJobKind::ReadCounters, "", 1, kOneStepProgress, {1000}, std::nullopt},
        // The keyboard gets its pause after a counter read even when the read failed.
        {TransferJobKind::ReadCounters,
         "silent",
         1,
         kOneStepProgress,
         {1000},
         TransferStep::Counters},
    };
    for (const auto& c : cases) {
        const std::string what = std::to_string(static_cast<int>(c.kind)) + " " + c.fault;
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(c.fault)) << what;
        std::vector<int> progress;
        std::vector<int> pauses;
        JobPauses recorded;
        recorded.take = [&pauses](std::chrono::milliseconds duration) {
            pauses.push_back(static_cast<int>(duration.count()));
        };
        TransferJob job(c.kind, config_);
        EXPECT_EQ(job.run([&progress](int value) { progress.push_back(value); }, recorded),
                  !c.failed)
            << what;
        EXPECT_EQ(job.failedStep(), c.failed) << what;
        EXPECT_EQ(job.apply(config_), !c.failed) << what;
        EXPECT_EQ(pauses, c.pauses) << what;
        if (c.progressCount == 0) {
            EXPECT_THAT(progress, IsEmpty()) << what;
        } else {
            EXPECT_EQ(progress.size(), c.progressCount) << what;
            EXPECT_EQ(progress.back(), c.lastProgress) << what;
        }
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("")) << what;
        // A fault may have cut the keyboard off: the next case starts afresh.
        config_.device.__closeDev();
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        ASSERT_TRUE(config_.device.__createDev()) << what;
    }
    // Progress went to the jobs' listeners, none of it to the windows.
    EXPECT_THAT(windowPosts, IsEmpty());
}

TEST_F(TransferJobs, WriteWhatTheConfigurationHeldWhenTheyWereMade) {
    config_.lightColor[7] = {1, 2, 3};
    config_.keyMode[5][0] = KindNotSet;
    TransferJob lights(TransferJobKind::WriteLights, config_);
    TransferJob keys(TransferJobKind::WriteKeys, config_);
    // Edits made while the jobs run do not reach the keyboard.
    config_.lightColor[7] = {9, 9, 9};
    config_.keyMode[5][0] = KindSingle;
    config_.keyHWCode[5][0] = 43;
    ASSERT_TRUE(lights.run({}, JobPauses(std::chrono::milliseconds(0), {})));
    ASSERT_TRUE(keys.run({}, JobPauses(std::chrono::milliseconds(0), {})));
    const z9rt::sim::SimulatedKeyboardState state = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_THAT(std::vector<int>(state.light.begin() + 18, state.light.begin() + 21),
                ElementsAre(1, 2, 3));
    // Key 5 went as the empty slot it was, not as the single key 43 (0, 1, 43) it became.
    const auto& records =
        state.keyRecords.at(static_cast<std::size_t>(z9rt::sim::SimulatedSlot(0, 5)));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_THAT(std::vector<int>(records[0].begin() + 4, records[0].begin() + 7),
                ElementsAre(0, 0, 0));
}

TEST_F(TransferJobs, PostsReachTheirListenerWhileItLivesAndTheWindowsOtherwise) {
    std::vector<int> heard;
    WindowHandle handle = nullptr;
    {
        const model::library_posts::ProgressListener listener(
            [&heard](int value) { heard.push_back(value); });
        handle = listener.handle();
        EXPECT_TRUE(PostWindowMessage(handle, WM_DEVICE_PROGRESS, 7, 0));
        // Only progress is passed on; other messages to a listener stop there.
        EXPECT_TRUE(PostWindowMessage(handle, WM_DEVICE_DONE, 0, 0));
        EXPECT_THAT(windowPosts, IsEmpty());
    }
    EXPECT_THAT(heard, ElementsAre(7));
    // A listener that is gone hears nothing more.
    EXPECT_TRUE(PostWindowMessage(handle, WM_DEVICE_PROGRESS, 8, 0));
    EXPECT_THAT(heard, ElementsAre(7));
    EXPECT_THAT(windowPosts, ElementsAre(WM_DEVICE_PROGRESS));
    // Without a windows' poster, a handle nobody listens to takes nothing.
    model::library_posts::Install();
    EXPECT_FALSE(PostWindowMessage(handle, WM_DEVICE_PROGRESS, 9, 0));
}

}  // namespace

// A write read back from the simulated keyboard: what it finds when the keyboard lost a report
// of the write, when it kept everything, and what it does not count as a difference.
#include "SimulatedKeyboard.h"
#include "model/KeyboardConfig.h"
#include "model/LibraryPosts.h"
#include "model/SlotComparison.h"
#include "model/TransferJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

using model::CItemList;
using model::CKeyboardConfig;
using model::DifferingKeySlots;
using model::DifferingLights;
using model::FirstLightIndex;
using model::JobPauses;
using model::KeyReadBack;
using model::KeySlotDifference;
using model::kFirstKeyNumber;
using model::KindCombo;
using model::KindMacro;
using model::KindNotSet;
using model::KindSingle;
using model::kLastKeyNumber;
using model::LightDifference;
using model::RGBColor;
using model::StoredKeyForms;
using model::TransferJob;
using model::TransferJobKind;
using model::TransferStep;

namespace {

const JobPauses kNoPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0));

// Reports of a key write, counted from 1 after the faults are set: the start, then one record
// per slot of a key that needs one record, layer by layer.
constexpr long ReportOfSlot(int layer, int key) {
    return 2 + z9rt::sim::SimulatedSlot(layer, key);
}

class WriteReadBack : public ::testing::Test {
protected:
    void SetUp() override {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        model::library_posts::Install();
        config_.BuildCodeTables();
        config_.deviceType = kDeviceTypePrsmBle;
        config_.ResetToDefaults();
        ASSERT_TRUE(config_.device.__createDev());
        // Keys unlike the factory's, so that a lost record leaves a difference behind.
        config_.keyMode[1][0] = KindCombo;
        config_.keyList[1][0].Append(L"LCTRL");
        config_.keyList[1][0].Append(L"C");
        config_.keyMode[5][2] = KindSingle;
        config_.keyHWCode[5][2] = 43;
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            config_.lightColor[static_cast<std::size_t>(key)] = {key, 2 * key, 3 * key};
        }
    }
    void TearDown() override { static_cast<void>(z9rt::sim::SetSimulatedKeyboardFaults("")); }

    // Runs a write with `fault`, then its read-back; nothing when the read-back failed.
    std::optional<TransferJob> WriteAndVerify(TransferJobKind kind, const std::string& fault) {
        TransferJob job(kind, config_);
        EXPECT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(fault));
        EXPECT_TRUE(job.run({}, kNoPauses)) << fault;
        if (!job.verify({}, kNoPauses)) {
            return std::nullopt;
        }
        return job;
    }

    CKeyboardConfig config_;
};

TEST_F(WriteReadBack, KeysNameEachSlotTheKeyboardDidNotTake) {
    const struct {
        std::string fault;
        std::vector<std::pair<int, int>> differing;  // layer, key
    } cases[] = {
        {"", {}},
        {"noise", {}},
        {"drop=" + std::to_string(ReportOfSlot(0, 1)), {{0, 1}}},
        {"drop=" + std::to_string(ReportOfSlot(2, 5)), {{2, 5}}},
        // The start of the write: the keyboard still takes every record after it.
        {"drop=1", {}},
    };
    for (const auto& c : cases) {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        const std::optional<TransferJob> job = WriteAndVerify(TransferJobKind::WriteKeys, c.fault);
        ASSERT_TRUE(job) << c.fault;
        std::vector<std::pair<int, int>> found;
        for (const KeySlotDifference& difference : job->keyDifferences()) {
            found.emplace_back(difference.layer, difference.key);
        }
        EXPECT_EQ(found, c.differing) << c.fault;
        EXPECT_TRUE(job->lightDifferences().empty()) << c.fault;
    }
}

TEST_F(WriteReadBack, TellsWhatWasSentAndWhatCameBack) {
    const std::optional<TransferJob> job =
        WriteAndVerify(TransferJobKind::WriteKeys, "drop=" + std::to_string(ReportOfSlot(0, 1)));
    ASSERT_TRUE(job);
    ASSERT_EQ(job->keyDifferences().size(), 1u);
    const KeySlotDifference& difference = job->keyDifferences().front();
    EXPECT_EQ(difference.sent.kind, KindCombo);
    ASSERT_TRUE(difference.sent.list);
    EXPECT_EQ(difference.sent.list->Items(), (std::vector<std::wstring>{L"LCTRL", L"C"}));
    // The keyboard kept its factory key: Esc.
    EXPECT_EQ(difference.received.hwCode, config_.DefaultHWCode(1, 0));
    // The configuration keeps what the user made.
    EXPECT_EQ(config_.keyMode[1][0], KindCombo);
}

TEST_F(WriteReadBack, ASlotTheKeyboardLeavesOutReadsAsNotSet) {
    // A keyboard that answers without a slot's record: what the write left in the library's
    // table must not pass for what came back.
    TransferJob job(TransferJobKind::WriteKeys, config_);
    ASSERT_TRUE(job.run({}, kNoPauses));
    z9rt::sim::SetSimulatedKeyRecords(0, 1, {});
    ASSERT_TRUE(job.verify({}, kNoPauses));
    ASSERT_EQ(job.keyDifferences().size(), 1u);
    EXPECT_EQ(job.keyDifferences().front().key, 1);
    EXPECT_EQ(job.keyDifferences().front().received.kind, KindNotSet);
}

TEST_F(WriteReadBack, ColoursNameEachKeyThatDiffers) {
    // Chunks of 61 bytes after the start: the first carries keys 1..20 and key 21's red, the
    // fifth and last key 82's red and green.
    const struct {
        std::string fault;
        std::size_t differing;
        int firstKey;
    } cases[] = {
        {"", 0, 0},
        {"noise", 0, 0},
        {"drop=2", 82, 1},  // the later chunks land where the lost one belonged
        {"drop=6", 1, 82},
    };
    for (const auto& c : cases) {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        const std::optional<TransferJob> job =
            WriteAndVerify(TransferJobKind::WriteLights, c.fault);
        ASSERT_TRUE(job) << c.fault;
        EXPECT_TRUE(job->keyDifferences().empty()) << c.fault;
        ASSERT_EQ(job->lightDifferences().size(), c.differing) << c.fault;
        if (c.differing > 0) {
            EXPECT_EQ(job->lightDifferences().front().key, c.firstKey) << c.fault;
        }
    }
}

TEST_F(WriteReadBack, AReadBackThatFailsNamesItsStep) {
    const struct {
        TransferJobKind kind;
        TransferStep step;
    } cases[] = {{TransferJobKind::WriteKeys, TransferStep::Keys},
                 {TransferJobKind::WriteLights, TransferStep::Lights}};
    for (const auto& c : cases) {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        TransferJob job(c.kind, config_);
        ASSERT_TRUE(job.run({}, kNoPauses));
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        EXPECT_FALSE(job.verify({}, kNoPauses));
        EXPECT_EQ(job.failedStep(), c.step);
    }
    // Only writes are read back.
    TransferJob read(TransferJobKind::ReadLights, config_);
    ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(""));
    ASSERT_TRUE(read.run({}, kNoPauses));
    EXPECT_FALSE(read.verify({}, kNoPauses));
}

TEST(SlotComparison, IgnoresWhatTheKeyboardCannotTellApart) {
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.deviceType = kDeviceTypePrsmBle;
    config.ResetToDefaults();
    const std::vector<KeyReadBack> before = StoredKeyForms(config, config);
    // A delay after a macro's last event, a name with an event's suffix, the view of a list.
    CItemList withTrailingDelay;
    for (const wchar_t* item : {L"A Down", L"<30 ms>", L"A UP", L"<50 ms>"}) {
        withTrailingDelay.Append(item);
    }
    CItemList withoutTrailingDelay;
    for (const wchar_t* item : {L"A Down", L"<30 ms>", L"A UP"}) {
        withoutTrailingDelay.Append(item);
    }
    withoutTrailingDelay.SizeOfView = 3;
    withoutTrailingDelay.CursorPos = 2;
    config.keyMode[3][1] = KindMacro;
    config.keyList[3][1] = withTrailingDelay;
    config.keyMode[4][0] = KindCombo;
    config.keyList[4][0].Append(L"LCTRL Down");
    config.keyList[4][0].Append(L"C");
    const std::vector<KeyReadBack> first = StoredKeyForms(config, config);
    config.keyList[3][1] = withoutTrailingDelay;
    config.keyList[4][0] = {};
    config.keyList[4][0].Append(L"LCTRL");
    config.keyList[4][0].Append(L"C");
    const std::vector<KeyReadBack> second = StoredKeyForms(config, config);
    EXPECT_TRUE(DifferingKeySlots(first, second).empty());
    // But a different delay, or a key left out, is a difference.
    config.keyList[3][1] = {};
    for (const wchar_t* item : {L"A Down", L"<31 ms>", L"A UP"}) {
        config.keyList[3][1].Append(item);
    }
    const std::vector<KeySlotDifference> differences =
        DifferingKeySlots(first, StoredKeyForms(config, config));
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences.front().layer, 1);
    EXPECT_EQ(differences.front().key, 3);
    // Slots beyond a short list count as not set.
    const auto set = static_cast<std::size_t>(
        std::count_if(before.begin(), before.end(),
                      [](const KeyReadBack& form) { return form.kind != KindNotSet; }));
    EXPECT_GT(set, 0u);
    EXPECT_EQ(DifferingKeySlots(before, {}).size(), set);
}

TEST(SlotComparison, ColoursCompareInTheKeyboardsEightBits) {
    std::array<int, kLightAreaSize> sent{};
    std::array<int, kLightAreaSize> received{};
    sent[FirstLightIndex(2)] = 0x1FF;  // kept as 0xFF
    received[FirstLightIndex(2)] = 0xFF;
    received[FirstLightIndex(82) + 2] = 7;
    const std::vector<LightDifference> differences = DifferingLights(sent, received);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences.front().key, 82);
    EXPECT_EQ(differences.front().received, (RGBColor{0, 0, 7}));
}

}  // namespace

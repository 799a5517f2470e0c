// The five jobs: write keys (1), read keys and colours (3), write colours (4), read the press
// counters (5), read colours (6).
#include "TransferJob.h"
#include "model/KeyboardConfig.h"

#include <array>
#include <optional>
#include <thread>
#include <vector>

namespace {

void Pause(const JobPauses& pauses, std::chrono::milliseconds duration) {
    if (pauses.take) {
        pauses.take(duration);
    } else {
        std::this_thread::sleep_for(duration);
    }
}

void PostStep(WindowHandle window) {
    // The dialog may have been closed meanwhile: the step is then lost, which is fine.
    static_cast<void>(PostWindowMessage(window, WM_DEVICE_PROGRESS, kWorkerProgressStep, 0));
}

constexpr int kPercentForKeySlots = 100;
constexpr int kPercentForOneStep = 200;

// Job 1: the assignments are encoded when the job is made, so the worker reads nothing of the
// configuration while it sends them.
class WriteKeysJob : public TransferJob {
public:
    WriteKeysJob(CKeyboardConfig& config, const JobPauses& pauses)
        : device_(config.device), pauses_(pauses) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
                const auto k = static_cast<std::size_t>(key);
                const auto l = static_cast<std::size_t>(layer);
                std::vector<int> array = EncodeKeyAssignment(
                    config.keyMode[k][l], config.keyHWCode[k][l], config.keyList[k][l], config);
                if (!array.empty()) {
                    slots_.push_back({layer, key, std::move(array)});
                }
            }
        }
    }

    void run(WindowHandle window) override {
        // prepare and setKeyConfiguration only fill the library's own table; the transfer's
        // result is the one that tells whether the keyboard got the keys.
        static_cast<void>(device_.prepare());
        for (const Slot& slot : slots_) {
            static_cast<void>(device_.setKeyConfiguration(slot.layer, slot.key, slot.array.data(),
                                                          static_cast<int>(slot.array.size())));
        }
        succeeded_ = device_.writeKeyConfigurationToDev(window);
        // The keyboard needs the pause to store what it took; after a failure the user
        // learns of it at once.
        if (succeeded_) {
            Pause(pauses_, pauses_.afterWrite);
        }
    }

    bool finish(CKeyboardConfig&) override { return succeeded_; }
    int percentPer150Steps() const override { return kPercentForKeySlots; }

private:
    struct Slot {
        int layer;
        int key;
        std::vector<int> array;
    };
    COrvoHWI& device_;
    JobPauses pauses_;
    std::vector<Slot> slots_;
    bool succeeded_ = false;
};

// Job 3: the key assignments, then the colours, both kept aside until the job ends.
class ReadAllJob : public TransferJob {
public:
    ReadAllJob(CKeyboardConfig& config, const JobPauses& pauses)
        : config_(config), pauses_(pauses) {}

    void run(WindowHandle window) override {
        keys_ = config_.FetchKeyAssignments(window);
        if (!keys_) {
            return;  // a failed step ends the job: no pause, no colour read
        }
        Pause(pauses_, pauses_.betweenReads);
        colors_ = config_.FetchLightColors();
    }

    bool finish(CKeyboardConfig& config) override {
        // Half a read is not applied: a job that reports failure changes nothing.
        if (!keys_ || !colors_) {
            return false;
        }
        config.ApplyKeyAssignments(*keys_);
        config.ApplyLightColors(*colors_);
        return true;
    }
    int percentPer150Steps() const override { return kPercentForKeySlots; }

private:
    CKeyboardConfig& config_;
    JobPauses pauses_;
    std::optional<std::vector<KeyReadBack>> keys_;
    std::optional<std::array<int, kLightAreaSize>> colors_;
};

// Job 4: the colours are copied out when the job is made.
class WriteLightsJob : public TransferJob {
public:
    WriteLightsJob(CKeyboardConfig& config, const JobPauses& pauses)
        : device_(config.device), pauses_(pauses) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const RGBColor& color = config.lightColor[static_cast<std::size_t>(key)];
            const auto first = static_cast<std::size_t>(3 * (key - kFirstKeyNumber));
            colors_[first] = color.Red;
            colors_[first + 1] = color.Green;
            colors_[first + 2] = color.Blue;
        }
    }

    void run(WindowHandle window) override {
        succeeded_ = device_.setKeyboardLightArea(colors_.data());
        PostStep(window);
        if (succeeded_) {
            Pause(pauses_, pauses_.afterWrite);
        }
    }

    bool finish(CKeyboardConfig&) override { return succeeded_; }
    int percentPer150Steps() const override { return kPercentForOneStep; }

private:
    COrvoHWI& device_;
    JobPauses pauses_;
    std::array<int, kLightAreaSize> colors_{};
    bool succeeded_ = false;
};

// Job 5.
class ReadCountersJob : public TransferJob {
public:
    ReadCountersJob(CKeyboardConfig& config, const JobPauses& pauses)
        : config_(config), pauses_(pauses) {}

    void run(WindowHandle window) override {
        counters_ = config_.FetchPressCounters();
        PostStep(window);
        Pause(pauses_, pauses_.afterWrite);
    }

    bool finish(CKeyboardConfig& config) override {
        // A failed read leaves the counts, the highest and the lowest key as they were.
        if (counters_) {
            config.ApplyPressCounters(*counters_);
        }
        return counters_.has_value();
    }
    int percentPer150Steps() const override { return kPercentForOneStep; }

private:
    CKeyboardConfig& config_;
    JobPauses pauses_;
    std::optional<KeyboardCounts> counters_;
};

// Job 6.
class ReadLightsJob : public TransferJob {
public:
    ReadLightsJob(CKeyboardConfig& config, const JobPauses& pauses)
        : config_(config), pauses_(pauses) {}

    void run(WindowHandle window) override {
        colors_ = config_.FetchLightColors();
        PostStep(window);
        if (colors_) {
            Pause(pauses_, pauses_.afterWrite);
        }
    }

    bool finish(CKeyboardConfig& config) override {
        if (colors_) {
            config.ApplyLightColors(*colors_);
        }
        return colors_.has_value();
    }
    int percentPer150Steps() const override { return kPercentForOneStep; }

private:
    CKeyboardConfig& config_;
    JobPauses pauses_;
    std::optional<std::array<int, kLightAreaSize>> colors_;
};

}  // namespace

std::unique_ptr<TransferJob> MakeTransferJob(int jobNumber, CKeyboardConfig& config,
                                             const JobPauses& pauses) {
    switch (jobNumber) {
        case kJobWriteKeys:
            return std::make_unique<WriteKeysJob>(config, pauses);
        case kJobReadAll:
            return std::make_unique<ReadAllJob>(config, pauses);
        case kJobWriteLights:
            return std::make_unique<WriteLightsJob>(config, pauses);
        case kJobReadCounters:
            return std::make_unique<ReadCountersJob>(config, pauses);
        case kJobReadLights:
            return std::make_unique<ReadLightsJob>(config, pauses);
        default:
            return nullptr;
    }
}

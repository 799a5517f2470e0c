// The transfer jobs between the configuration and the keyboard, written once for the windowed
// program and the command-line tool. A job is taken in three steps so that nobody reads the
// configuration while a transfer rewrites it:
//   - made on the thread that owns the configuration: what is to be written is copied out;
//   - run on any thread: the keyboard only, with the job's pauses, reporting its progress;
//   - applied on the owning thread: what was read is stored into the configuration, all of it
//     or, when a step failed, none of it.
// A failed step ends the job at once, without its pauses.
#pragma once

#include "OrvoHWI.h"
#include "model/KeyDefinitionArrays.h"
#include "model/SlotComparison.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace model {

class CKeyboardConfig;
class CKeyCodeTables;

enum class TransferJobKind : std::uint8_t {
    WriteKeys = 1,     // the key assignments to the keyboard
    ReadAll = 3,       // the key assignments, then the colours, from the keyboard
    WriteLights = 4,   // the colours to the keyboard
    ReadCounters = 5,  // the press counters from the keyboard
    ReadLights = 6,    // the colours from the keyboard
};

// Whether `kind` names one of the jobs above (a value cast from elsewhere may not).
bool IsTransferJob(TransferJobKind kind);

// The step of a job that failed.
enum class TransferStep : std::uint8_t { Keys, Lights, Counters };

// The progress value a job reports after a transfer of a single step; key transfers report
// their slot numbers 0..245 instead.
constexpr int kOneStepProgress = 150;

// The pauses the keyboard needs after a transfer that it took; tests shorten them.
struct JobPauses {
    JobPauses() = default;
    JobPauses(std::chrono::milliseconds write, std::chrono::milliseconds reads)
        : afterWrite(write), betweenReads(reads) {}

    std::chrono::milliseconds afterWrite{1000};    // after writing keys or after one step
    std::chrono::milliseconds betweenReads{2000};  // between the key and the light read
    // How a run pauses; empty: it sleeps (tests record the pauses instead).
    std::function<void(std::chrono::milliseconds)> take;
};

// Called on the running thread with each progress value (see kOneStepProgress).
using TransferProgress = std::function<void(int value)>;

class TransferJob {
public:
    // Copies out of `config` what the job writes. The configuration's device facade and code
    // tables are used by the run: they must outlive it.
    TransferJob(TransferJobKind kind, CKeyboardConfig& config);

    TransferJobKind kind() const { return kind_; }

    // Talks to the keyboard; returns whether every step succeeded. `progress` may be empty.
    bool run(const TransferProgress& progress, const JobPauses& pauses);
    // After run: stores what was read, only when every step succeeded; returns that.
    bool apply(CKeyboardConfig& config) const;
    // The step that failed, after a run that failed.
    std::optional<TransferStep> failedStep() const { return failed_; }

    // After a successful run of a write (WriteKeys or WriteLights), on the running thread:
    // reads back what the job wrote and compares it, slot by slot or key by key, with what was
    // sent, as the keyboard stores it (see SlotComparison.h). A key read reports its slots as
    // progress, a colour read kOneStepProgress. Returns whether the read-back succeeded;
    // when it failed, failedStep() names it. The write's own outcome and apply() stay as they
    // were: the configuration keeps what the user made.
    bool verify(const TransferProgress& progress, const JobPauses& pauses);
    // After verify: what differs (empty when the keyboard holds what was sent).
    const std::vector<KeySlotDifference>& keyDifferences() const { return keyDifferences_; }
    const std::vector<LightDifference>& lightDifferences() const { return lightDifferences_; }

    // Percent of a progress bar per kOneStepProgress of reported progress: slots of a key
    // transfer fill it at 150, the single step of the other jobs gives twice that.
    int percentPerOneStep() const;

private:
    bool writeKeys(const TransferProgress& progress);
    std::optional<std::vector<KeyReadBack>> readKeys(const TransferProgress& progress);
    std::optional<std::array<int, kLightAreaSize>> readLights();
    bool fail(TransferStep step);

    TransferJobKind kind_;
    COrvoHWI& device_;
    const CKeyCodeTables& tables_;
    std::vector<EncodedKeySlot> keysOut_;
    std::array<int, kLightAreaSize> lightsOut_{};
    std::optional<std::vector<KeyReadBack>> keysIn_;
    std::optional<std::array<int, kLightAreaSize>> lightsIn_;
    std::optional<KeyboardCounts> countersIn_;
    std::optional<TransferStep> failed_;
    bool succeeded_ = false;
    std::vector<KeySlotDifference> keyDifferences_;
    std::vector<LightDifference> lightDifferences_;
};

}  // namespace model

// Commands that move a configuration between a profile and the keyboard: write-keys,
// write-lights, read. They run the windowed program's transfer jobs, with the same pauses.
#include "Commands.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "KeyboardWrites.h"
#include "ProfileIo.h"
#include "ProgressBar.h"
#include "model/TransferJob.h"

#include <cstdio>

using model::CKeyboardConfig;
using model::JobPauses;
using model::TransferJob;
using model::TransferJobKind;
using model::TransferStep;

namespace z9rt::cli {
namespace {

constexpr int kLastKeySlot = kKeySlotCount - 1;

void Say(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

JobPauses KeyboardPauses() {
    JobPauses pauses;
    pauses.take = [](std::chrono::milliseconds duration) {
        PauseForKeyboard(static_cast<int>(duration.count()));
    };
    return pauses;
}

// Runs a job on the tool's only thread, with a bar for its key slots when `barLabel` is given,
// and applies what it read. Returns the job for its outcome.
TransferJob RunJob(TransferJobKind kind, CKeyboardConfig& config, const char* barLabel) {
    TransferJob job(kind, config);
    if (barLabel == nullptr) {
        static_cast<void>(job.run({}, KeyboardPauses()));
    } else {
        ProgressBar bar(barLabel, kLastKeySlot);
        static_cast<void>(job.run([&bar](int slot) { bar.Update(slot); }, KeyboardPauses()));
        bar.Finish();
    }
    static_cast<void>(job.apply(config));
    return job;
}

}  // namespace

void SendKeyAssignments(CKeyboardConfig& config) {
    if (RunJob(TransferJobKind::WriteKeys, config, "Writing keys ").failedStep()) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "writing the key assignments failed: the keyboard stopped taking "
                             "reports");
    }
}

void SendLightColours(CKeyboardConfig& config) {
    if (RunJob(TransferJobKind::WriteLights, config, nullptr).failedStep()) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "writing the key colours failed: the keyboard stopped taking "
                             "reports");
    }
}

void RunWriteKeys(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    LoadProfileOrFail(config, path);
    SendKeyAssignments(config);
    Say("Wrote the key assignments of " + path + " to the " + ModelNameOf(config.deviceType));
}

void RunWriteLights(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    LoadProfileOrFail(config, path);
    SendLightColours(config);
    Say("Wrote the key colours of " + path + " to the " + ModelNameOf(config.deviceType));
}

void RunRead(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    const std::optional<TransferStep> failed =
        RunJob(TransferJobKind::ReadAll, config, "Reading keys ").failedStep();
    if (failed == TransferStep::Keys) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "reading the key assignments failed: the keyboard stopped "
                             "answering");
    }
    if (failed) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "reading the key colours failed: the keyboard stopped answering");
    }
    SaveProfileOrFail(config, path);
    Say("Saved the keys and colours of the " + ModelNameOf(config.deviceType) + " as " + path);
}

}  // namespace z9rt::cli

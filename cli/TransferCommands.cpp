// Commands that move a configuration between a profile and the keyboard: write-keys,
// write-lights, read. They run the windowed program's transfer jobs, with the same pauses.
#include "Commands.h"
#include "DifferenceWords.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "KeyboardWrites.h"
#include "ProfileIo.h"
#include "ProgressBar.h"
#include "model/TransferJob.h"

#include <cstdio>

using model::CKeyboardConfig;
using model::JobPauses;
using model::KeySlotDifference;
using model::LightDifference;
using model::TransferJob;
using model::TransferJobKind;
using model::TransferProgress;
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

using JobStep = bool (TransferJob::*)(const TransferProgress&, const JobPauses&);

// Takes one step of a job (its run or its read-back) with a bar for its key slots when
// `barLabel` is given.
bool TakeStep(TransferJob& job, JobStep step, const char* barLabel) {
    if (barLabel == nullptr) {
        return (job.*step)({}, KeyboardPauses());
    }
    ProgressBar bar(barLabel, kLastKeySlot);
    const bool done = (job.*step)([&bar](int slot) { bar.Update(slot); }, KeyboardPauses());
    bar.Finish();
    return done;
}

// Runs a job on the tool's only thread and applies what it read. Returns the job for its
// outcome.
TransferJob RunJob(TransferJobKind kind, CKeyboardConfig& config, const char* barLabel) {
    TransferJob job(kind, config);
    static_cast<void>(TakeStep(job, &TransferJob::run, barLabel));
    static_cast<void>(job.apply(config));
    return job;
}

// What a write moves, in the words of its messages and bars.
struct WriteWords {
    TransferJobKind kind;
    const char* what;            // "key assignments"
    const char* writeBar;        // nullptr: no bar
    const char* checkBar;        // nullptr: no bar
    const char* differingEntry;  // "key slot", one of what is counted when things differ
};

// Prints what differs, one a line, and fails when anything does.
void ReportDifferences(const TransferJob& job, const CKeyboardConfig& config,
                       const WriteWords& words) {
    DifferenceWords wording(config.deviceType);
    std::size_t count = 0;
    for (const KeySlotDifference& difference : job.keyDifferences()) {
        std::printf("%s\n", wording.KeyLine(difference, "sent", "came back").c_str());
        ++count;
    }
    for (const LightDifference& difference : job.lightDifferences()) {
        std::printf("%s\n", DifferenceWords::LightLine(difference, "sent", "came back").c_str());
        ++count;
    }
    std::fflush(stdout);
    if (count > 0) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             std::string("the keyboard does not hold the ") + words.what +
                                 " as written: " + std::to_string(count) + " " +
                                 words.differingEntry + (count == 1 ? " differs" : "s differ"));
    }
    Say(std::string("Read back: the keyboard holds the ") + words.what + " as written");
}

void Send(CKeyboardConfig& config, WriteCheck check, const WriteWords& words) {
    TransferJob job = RunJob(words.kind, config, words.writeBar);
    if (job.failedStep()) {
        throw CommandFailure(ExitStatus::DeviceFailure, std::string("writing the ") + words.what +
                                                            " failed: the keyboard stopped "
                                                            "taking reports");
    }
    if (check == WriteCheck::None) {
        return;
    }
    if (!TakeStep(job, &TransferJob::verify, words.checkBar)) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             std::string("reading the ") + words.what +
                                 " back failed: the keyboard stopped answering");
    }
    ReportDifferences(job, config, words);
}

}  // namespace

void SendKeyAssignments(CKeyboardConfig& config, WriteCheck check) {
    Send(config, check,
         {TransferJobKind::WriteKeys, "key assignments", "Writing keys ", "Checking keys ",
          "key slot"});
}

void SendLightColours(CKeyboardConfig& config, WriteCheck check) {
    Send(config, check,
         {TransferJobKind::WriteLights, "key colours", nullptr, nullptr, "key colour"});
}

void RunWriteKeys(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    LoadProfileOrFail(config, path);
    SendKeyAssignments(config, line.verify ? WriteCheck::ReadBack : WriteCheck::None);
    Say("Wrote the key assignments of " + path + " to the " + ModelNameOf(config.deviceType));
}

void RunWriteLights(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    LoadProfileOrFail(config, path);
    SendLightColours(config, line.verify ? WriteCheck::ReadBack : WriteCheck::None);
    Say("Wrote the key colours of " + path + " to the " + ModelNameOf(config.deviceType));
}

void ReadFromKeyboard(CKeyboardConfig& config) {
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
}

void RunRead(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    OpenKeyboard(config);
    ReadFromKeyboard(config);
    SaveProfileOrFail(config, path);
    Say("Saved the keys and colours of the " + ModelNameOf(config.deviceType) + " as " + path);
}

}  // namespace z9rt::cli

// Commands that move a configuration between a profile and the keyboard: write-keys,
// write-lights, read. They run the windowed program's jobs 1, 4 and 3, with the same pauses.
#include "Commands.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "KeyboardWrites.h"
#include "LibraryProgress.h"
#include "ProfileIo.h"

#include <cstdio>

namespace z9rt::cli {
namespace {

constexpr int kLastKeySlot = kKeySlotCount - 1;
constexpr int kPauseAfterWriteMs = 1000;
constexpr int kPauseBetweenKeysAndLightsMs = 2000;

void Say(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace

void SendKeyAssignments(CKeyboardConfig& config) {
    ProgressBar bar("Writing keys ", kLastKeySlot);
    LibraryProgress progress(bar);
    const bool written = config.WriteKeyAssignments(progress.Window());
    bar.Finish();
    if (!written) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "writing the key assignments failed: the keyboard stopped taking "
                             "reports");
    }
    PauseForKeyboard(kPauseAfterWriteMs);
}

void SendLightColours(CKeyboardConfig& config) {
    if (!config.WriteLightColors()) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "writing the key colours failed: the keyboard stopped taking "
                             "reports");
    }
    PauseForKeyboard(kPauseAfterWriteMs);
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
    {
        ProgressBar bar("Reading keys ", kLastKeySlot);
        LibraryProgress progress(bar);
        if (!config.ReadKeyAssignments(progress.Window())) {
            throw CommandFailure(ExitStatus::DeviceFailure,
                                 "reading the key assignments failed: the keyboard stopped "
                                 "answering");
        }
    }
    PauseForKeyboard(kPauseBetweenKeysAndLightsMs);
    if (!config.ReadLightColors()) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "reading the key colours failed: the keyboard stopped answering");
    }
    SaveProfileOrFail(config, path);
    Say("Saved the keys and colours of the " + ModelNameOf(config.deviceType) + " as " + path);
}

}  // namespace z9rt::cli

// Finding and opening the keyboard for a command, the way the windowed program does at start:
// discovery, then opening, then the version query that tells a usable keyboard from one that
// another program holds.
#pragma once

#include "CommandLine.h"
#include "model/KeyboardConfig.h"

#include <string>

namespace z9rt::cli {

// Opens the keyboard of `config`'s device, sets config.deviceType to its model and returns its
// firmware version text. Throws CommandFailure (DeviceFailure) when there is no keyboard or it
// does not answer.
std::string OpenKeyboard(model::CKeyboardConfig& config);

// The model name of a device type, as UTF-8.
std::string ModelNameOf(int deviceType);

// A configuration of `deviceType` with its code tables built and the model's defaults applied.
void PrepareConfiguration(model::CKeyboardConfig& config, int deviceType);

}  // namespace z9rt::cli

namespace z9rt::cli {

// The keyboard's pause after a transfer, as the windowed program's jobs make it, so that it
// has stored what it received before the next command talks to it. The simulated keyboard
// needs no pause.
void PauseForKeyboard(int milliseconds);

// The model a command works for without opening the keyboard: --model when given, otherwise
// the attached keyboard's; 0 when neither is known.
int ModelForCommand(const CommandLine& line, COrvoHWI& device);

}  // namespace z9rt::cli

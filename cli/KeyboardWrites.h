// Reading the whole configuration from the keyboard, and writing it to the keyboard opened with
// OpenKeyboard, the way the windowed program's key and colour writes do, pauses included, and
// reading it back on request. A transfer that fails, and a read-back that finds anything other than
// what was written, throws CommandFailure (DeviceFailure); the slots or keys that differ are
// printed first, one a line.
#pragma once

#include "model/KeyboardConfig.h"

#include <cstdint>

namespace z9rt::cli {

enum class WriteCheck : std::uint8_t {
    None,      // the write alone, the conversation of an unchecked write
    ReadBack,  // then read back what was written and compare it
};

void SendKeyAssignments(model::CKeyboardConfig& config, WriteCheck check);
void SendLightColours(model::CKeyboardConfig& config, WriteCheck check);

// Reads the keys and colours of the keyboard opened with OpenKeyboard into `config`, with the
// windowed program's pause between them; a read that fails throws CommandFailure
// (DeviceFailure) and leaves `config` as it was.
void ReadFromKeyboard(model::CKeyboardConfig& config);

}  // namespace z9rt::cli

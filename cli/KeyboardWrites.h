// Writing a configuration to the keyboard opened with OpenKeyboard, the way the windowed
// program's key and colour writes do, pauses included. A transfer that fails throws CommandFailure
// (DeviceFailure).
#pragma once

#include "model/KeyboardConfig.h"

namespace z9rt::cli {

void SendKeyAssignments(model::CKeyboardConfig& config);
void SendLightColours(model::CKeyboardConfig& config);

}  // namespace z9rt::cli

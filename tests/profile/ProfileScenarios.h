// Configurations the profile tests save and load, shared by the golden-file checks and the
// unit tests.
#pragma once

#include "model/KeyboardConfig.h"

#include <memory>

// A configuration as the program has it after start-up on a keyboard of that type: code
// tables built, default assignments.
std::unique_ptr<model::CKeyboardConfig> FreshConfig(int deviceType);

// A fresh Z9RT(PRSM)Ble configuration with content of every kind: combos, macros with and
// without recorded delays, emulations, libraries, colours, single-code kinds, names with
// "&", "<", ">", quotes and Chinese text, and view fields away from their defaults.
std::unique_ptr<model::CKeyboardConfig> ContentConfig();

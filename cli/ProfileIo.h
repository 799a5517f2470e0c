// Loading and saving profiles for a command: a refused or unwritable file ends the command
// with exit status 3 and the reason.
#pragma once

#include "model/KeyboardConfig.h"

#include <string>

namespace z9rt::cli {

void LoadProfileOrFail(CKeyboardConfig& config, const std::string& path);
void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path);

}  // namespace z9rt::cli

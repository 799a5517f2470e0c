// Loading and saving profiles for a command: a refused or unwritable file ends the command
// with exit status 3 and the reason.
#pragma once

#include "model/KeyboardConfig.h"

#include <string>

namespace z9rt::cli {

void LoadProfileOrFail(CKeyboardConfig& config, const std::string& path);
// Loads the profile as the model it belongs to, whichever that is (a file of no model is
// refused as that of the first model would be).
void LoadProfileOfItsModel(CKeyboardConfig& config, const std::string& path);
void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path);

}  // namespace z9rt::cli

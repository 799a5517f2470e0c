// Loading and saving profiles for a command: a refused or unwritable file ends the command
// with exit status 3 and the reason.
#pragma once

#include "model/KeyboardConfig.h"
#include "profile/FileAccess.h"

#include <string>

namespace z9rt::cli {

void LoadProfileOrFail(model::CKeyboardConfig& config, const std::string& path);
// Loads the profile as the model it belongs to, whichever that is.
void LoadProfileOfItsModel(model::CKeyboardConfig& config, const std::string& path);
void SaveProfileOrFail(const model::CKeyboardConfig& config, const std::string& path);

// The update lock of a profile about to be read, changed and saved, so that another process's
// edit of the same file waits for this one instead of one of them being lost.
profile::FileLock LockProfileOrFail(const std::string& path);
// Saves under that lock. On failure the message says that the file was left as it was.
void SaveProfileOrFail(const model::CKeyboardConfig& config, const std::string& path,
                       const profile::FileLock& held);

}  // namespace z9rt::cli

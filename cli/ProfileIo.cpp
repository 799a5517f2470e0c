#include "ProfileIo.h"

#include "ExitStatus.h"
#include "profile/ProfileFile.h"

namespace z9rt::cli {

void LoadProfileOrFail(CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = LoadProfile(config, path);
    if (!result.Ok()) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message());
    }
}

void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = SaveProfile(config, path);
    if (!result.Ok()) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message());
    }
}

}  // namespace z9rt::cli

#include "ProfileIo.h"

#include "ExitStatus.h"
#include "Keyboard.h"
#include "model/DefaultKeyTables.h"
#include "profile/ProfileFile.h"

namespace z9rt::cli {

void LoadProfileOrFail(CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = LoadProfile(config, path);
    if (!result.Ok()) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message());
    }
}

void LoadProfileOfItsModel(CKeyboardConfig& config, const std::string& path) {
    for (int candidate : kModelDeviceTypes) {
        PrepareConfiguration(config, candidate);
        const ProfileResult result = LoadProfile(config, path);
        if (result.status != ProfileStatus::OtherModel) {
            if (!result.Ok()) {
                throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message());
            }
            return;
        }
    }
    // No model claims it: say so as the first model would.
    PrepareConfiguration(config, kModelDeviceTypes[0]);
    LoadProfileOrFail(config, path);
}

void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = SaveProfile(config, path);
    if (!result.Ok()) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message());
    }
}

}  // namespace z9rt::cli

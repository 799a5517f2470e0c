#include "ProfileIo.h"

#include "ExitStatus.h"
#include "profile/ProfileFile.h"

using model::CKeyboardConfig;
using profile::FileLock;
using profile::LoadProfile;
using profile::LockFileForUpdate;
using profile::ProfileLoadOptions;
using profile::ProfileResult;
using profile::SaveProfile;

namespace z9rt::cli {
namespace {

[[noreturn]] void Refuse(const std::string& path, const ProfileResult& result,
                         const char* after = "") {
    throw CommandFailure(ExitStatus::FileRefused, path + ": " + result.Message() + after);
}

}  // namespace

void LoadProfileOrFail(CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = LoadProfile(config, path);
    if (!result.Ok()) {
        Refuse(path, result);
    }
}

void LoadProfileOfItsModel(CKeyboardConfig& config, const std::string& path) {
    config.BuildCodeTables();
    ProfileLoadOptions options;
    options.anyModel = true;
    const ProfileResult result = LoadProfile(config, path, options);
    if (!result.Ok()) {
        Refuse(path, result);
    }
}

void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path) {
    const ProfileResult result = SaveProfile(config, path);
    if (!result.Ok()) {
        Refuse(path, result);
    }
}

FileLock LockProfileOrFail(const std::string& path) {
    FileLock lock;
    std::string whyNot;
    if (!LockFileForUpdate(path, lock, whyNot)) {
        throw CommandFailure(ExitStatus::FileRefused, whyNot);
    }
    return lock;
}

void SaveProfileOrFail(const CKeyboardConfig& config, const std::string& path,
                       const FileLock& held) {
    const ProfileResult result = SaveProfile(config, path, held);
    if (!result.Ok()) {
        Refuse(path, result, "; the file is left as it was");
    }
}

}  // namespace z9rt::cli

// firmware FILE: the file is checked whole (its name against the model, every record as Intel
// HEX) before a single report is sent, then downloaded with a progress bar.
#include "Commands.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "ProgressBar.h"
#include "model/FirmwareFile.h"
#include "model/FirmwareFileName.h"
#include "model/LibraryPosts.h"
#include "model/WideText.h"

#include <cstdio>
#include <filesystem>
#include <string>

using model::CKeyboardConfig;
using model::FirmwareFile;
using model::FirmwareFileProblem;
using model::FirmwareNameFitsModel;
using model::FirmwarePrefix;
using model::IntelHexCheck;
using model::kLargestFirmwareFile;
using model::ReadFirmwareFile;
using model::Utf8FromWide;
using model::WideFromUtf8;

namespace z9rt::cli {
namespace {

constexpr int kFirmwareProgressEnd = 150;

// The firmware file read whole and checked, or the reason it is refused.
IntelHexCheck ReadCheckedFirmware(const std::string& path) {
    FirmwareFile file = ReadFirmwareFile(path);
    switch (file.problem) {
        case FirmwareFileProblem::None:
            return std::move(file.check);
        case FirmwareFileProblem::CannotOpen:
            throw CommandFailure(ExitStatus::FileRefused, path + ": cannot read: " + file.reason);
        case FirmwareFileProblem::NotRegularFile:
            throw CommandFailure(ExitStatus::FileRefused,
                                 path + ": not a regular file, so not a firmware file");
        case FirmwareFileProblem::TooLarge:
            throw CommandFailure(ExitStatus::FileRefused,
                                 path + ": too large for a firmware file (" +
                                     std::to_string(file.size) + " bytes, at most " +
                                     std::to_string(kLargestFirmwareFile) + ")");
        case FirmwareFileProblem::BadRecords:
            throw CommandFailure(ExitStatus::FileRefused,
                                 path + ": not a sound firmware file: " + file.check.problem);
    }
    throw CommandFailure(ExitStatus::FileRefused, path + ": cannot read");
}

}  // namespace

void RunFirmware(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    // Discovery alone names the model without a report; the file is judged before the keyboard
    // hears anything, even the version query.
    CKeyboardConfig config;
    config.deviceType = config.device.DetectDeviceType();
    if (config.deviceType == kDeviceTypeNone) {
        throw CommandFailure(ExitStatus::DeviceFailure, "no keyboard of the family is attached");
    }

    const std::wstring name = WideFromUtf8(std::filesystem::path(path).filename().string());
    if (!FirmwareNameFitsModel(name, config.deviceType)) {
        throw CommandFailure(ExitStatus::FileRefused,
                             path + ": the firmware does not match the " +
                                 ModelNameOf(config.deviceType) + ": its name must begin with " +
                                 Utf8FromWide(FirmwarePrefix(config.deviceType)));
    }
    const IntelHexCheck check = ReadCheckedFirmware(path);

    OpenKeyboard(config);
    ProgressBar bar("Downloading  ", kFirmwareProgressEnd);
    const model::library_posts::ProgressListener progress([&bar](int value) { bar.Update(value); });
    const bool downloaded = config.device.WriteFirmwareToKeyboard(
        check.normalizedText.c_str(), static_cast<int>(check.normalizedText.size()),
        progress.handle());
    bar.Finish();
    if (!downloaded) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "Firmware download failed: the keyboard stopped taking reports");
    }
    std::printf(
        "The Firmware is downloaded successfully.\n"
        "Please keep the USB plug in until three indicator lights flash simultaneously.\n"
        "Then firmware updated completely,pleased unplug the USB and plug in.\n");
}

}  // namespace z9rt::cli

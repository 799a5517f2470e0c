// firmware FILE: the file is checked whole (its name against the model, every record as Intel
// HEX) before a single report is sent, then downloaded with a progress bar.
#include "Commands.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "LibraryProgress.h"
#include "model/FirmwareFileName.h"
#include "model/IntelHex.h"
#include "model/WideText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace z9rt::cli {
namespace {

constexpr int kFirmwareProgressEnd = 150;
// Intel HEX firmware for these keyboards is a few hundred kilobytes; anything far larger is
// not a firmware file, and reading it whole would only waste memory.
constexpr std::uintmax_t kLargestFirmwareFile = 16u * 1024 * 1024;

std::string ReadFirmwareFile(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": cannot read: " + error.message());
    }
    if (size > kLargestFirmwareFile) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": too large for a firmware file");
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file) {
        throw CommandFailure(ExitStatus::FileRefused, path + ": cannot read");
    }
    return content.str();
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
    const IntelHexCheck check = CheckIntelHex(ReadFirmwareFile(path));
    if (!check.ok) {
        throw CommandFailure(ExitStatus::FileRefused,
                             path + ": not a sound firmware file: " + check.problem);
    }

    OpenKeyboard(config);
    ProgressBar bar("Downloading  ", kFirmwareProgressEnd);
    LibraryProgress progress(bar);
    const bool downloaded = config.device.WriteFirmwareToKeyboard(
        check.normalizedText.c_str(), static_cast<int>(check.normalizedText.size()),
        progress.Window());
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

#include "Keyboard.h"

#include "ExitStatus.h"
#include "model/DefaultKeyTables.h"
#include "model/WideText.h"

#include <chrono>
#include <cstdlib>
#include <thread>

using model::CKeyboardConfig;
using model::ModelName;
using model::Utf8FromWide;

namespace z9rt::cli {

std::string ModelNameOf(int deviceType) {
    return Utf8FromWide(ModelName(deviceType));
}

void PrepareConfiguration(CKeyboardConfig& config, int deviceType) {
    config.deviceType = deviceType;
    config.BuildCodeTables();
    config.ResetToDefaults();
}

std::string OpenKeyboard(CKeyboardConfig& config) {
    const int deviceType = config.device.DetectDeviceType();
    if (deviceType == kDeviceTypeNone || !config.device.__createDev()) {
        throw CommandFailure(ExitStatus::DeviceFailure, "no keyboard of the family is attached");
    }
    wchar_t version[kVersionTextLength] = {};
    if (!config.device.ReadKeyboardVersion(version)) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "the keyboard does not answer (another program may be using it)");
    }
    PrepareConfiguration(config, deviceType);
    return Utf8FromWide(version);
}

}  // namespace z9rt::cli

namespace z9rt::cli {

void PauseForKeyboard(int milliseconds) {
    const char* backend = std::getenv("Z9RT_HID");
    if (backend != nullptr && std::string(backend) == "sim")
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int ModelForCommand(const CommandLine& line, COrvoHWI& device) {
    if (line.modelType)
        return *line.modelType;
    return device.DetectDeviceType();
}

}  // namespace z9rt::cli

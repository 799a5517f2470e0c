#include "FirmwareDownload.h"

FirmwareOutcome DownloadFirmware(COrvoHWI& device, const std::string& text, WindowHandle window) {
    // The download reads nothing back, so a keyboard that takes reports without acting on them
    // would look like a successful one. It must answer the version query first, as it must for
    // the command-line tool.
    wchar_t version[kVersionTextLength] = {};
    if (!device.ReadKeyboardVersion(version)) {
        return kFirmwareNoAnswer;
    }
    return device.WriteFirmwareToKeyboard(text.c_str(), static_cast<int>(text.size()), window)
               ? kFirmwareDownloaded
               : kFirmwareFailed;
}

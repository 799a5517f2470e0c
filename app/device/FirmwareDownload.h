// The firmware download as its worker runs it, and how it can end. The file has been read and
// checked before; the worker only talks to the keyboard.
#pragma once

#include "OrvoHWI.h"

#include <string>

// How a download ended: the value WM_DEVICE_DONE carries to the firmware window.
enum FirmwareOutcome : int {
    kFirmwareDownloaded = 1,
    kFirmwareFailed = 2,      // the keyboard stopped taking lines part-way
    kFirmwareCannotOpen = 3,  // the file could not be opened (nothing was sent)
    kFirmwareNoAnswer = 4,    // the keyboard did not answer before the download (nothing sent)
};

// Sends checked firmware text (Intel HEX records, each ended by CR LF) to the keyboard; progress
// goes to `window` on the 0..150 scale.
FirmwareOutcome DownloadFirmware(COrvoHWI& device, const std::string& text, WindowHandle window);

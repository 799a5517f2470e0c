// The firmware download: one 0x3A report per line of an Intel HEX text, carrying the bytes the
// line's digit pairs encode. Nothing is read back.
#pragma once

#include "OrvoHWI.h"
#include "channel/CKeyboardUtil.h"
#include "channel/Report.h"

#include <cstdint>
#include <string_view>

namespace z9rt {

constexpr char kFirmwareLineStart = ':';
constexpr int kFirmwareProgressEnd = 150;
constexpr std::size_t kFirmwareLineData = 2;                                  // payload byte
constexpr std::size_t kFirmwareLineBytes = kPayloadSize - kFirmwareLineData;  // 62

// The report for one line (without its terminator): the digit pairs after the ":" decoded,
// at most 62 bytes. A digit outside 0-9, a-f, A-F counts 0; a last unpaired digit is dropped.
Payload MakeFirmwareLineReport(std::string_view line);

// Sends the NUL-terminated `text` (`length` must be non-zero), posting WM_DEVICE_PROGRESS on a
// scale of 0 to 150. Lines end with CR, CR LF or LF; a last line without an ending is sent too.
// An empty line ends the download early (true); a line not starting with ":" or a failed
// write gives false; a text that does not start with ":" is refused without a report.
bool WriteFirmware(CKeyboardUtil& channel, const char* text, int length, WindowHandle window);

}  // namespace z9rt

// The light area's conversations: writing it (0xE1, chunks of 0xE0, end 0xE6) and reading it
// (0xE2, the keyboard's 0xE0 chunks until an 0xE6 report).
#pragma once

#include "channel/CKeyboardUtil.h"
#include "keydefine/COrvo.h"

namespace z9rt {

// Sends the area: start, five chunks, end marker. True when all seven reports were written;
// a failed write stops the conversation there (the keyboard gives no acknowledgement, so a
// written report is all that can be known).
[[nodiscard]] bool WriteLightArea(CKeyboardUtil& channel, const LightArea& light);

// Asks for the keyboard's area and copies what it streams; true when the stream's end came.
bool ReadLightArea(CKeyboardUtil& channel, LightArea& light);

}  // namespace z9rt

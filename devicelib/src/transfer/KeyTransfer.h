// The key definitions' conversations. Writing: 0xF1, the records of every slot in slot order
// (an empty slot as a kind 0 record without codes), the end marker. Reading: 0xF2, then the
// keyboard's records until its end marker (payload byte 0 = 0xF6).
#pragma once

#include "OrvoHWI.h"
#include "channel/CKeyboardUtil.h"
#include "keydefine/COrvo.h"

namespace z9rt {

// Sends the table, posting WM_DEVICE_PROGRESS with each slot number; true when every report
// was written.
bool WriteKeyTable(CKeyboardUtil& channel, const KeyTable& keys, WindowHandle window);

// Replaces the slots the keyboard reports, posting WM_DEVICE_PROGRESS per slot received; true
// when the end marker arrived. Records naming no valid layer, key or kind are skipped, and so is
// a macro whose further records do not follow it (each must name the macro's layer and key).
bool ReadKeyTable(CKeyboardUtil& channel, KeyTable& keys, WindowHandle window);

}  // namespace z9rt

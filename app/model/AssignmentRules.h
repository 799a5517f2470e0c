// What each kind of assignment may hold: the limits the key settings pages keep to, and the
// HW codes a kind with a single code may carry. The key settings pages and the command-line
// tool's editing both judge values by these rules, so a key edited either way reaches the
// keyboard in a form it takes.
#pragma once

#include "model/KeyKinds.h"

namespace model {

// Combinations and emulations: at most six keys.
constexpr int kComboKeyLimit = 6;
constexpr int kEmulationKeyLimit = 6;

// Macros: items (events and delays) in recorded-delay mode, events in fixed-interval mode.
constexpr int kMacroItemLimitRecordedDelays = 799;
constexpr int kMacroItemLimitFixedInterval = 1600;
// The repeat count of play mode "Times Play".
constexpr int kMacroCyclesMin = 1;
constexpr int kMacroCyclesMax = 255;
// Milliseconds: the fixed interval of a macro, one recorded delay (a key record carries 16
// bits), and the repeat interval of an emulation.
constexpr int kMacroIntervalMax = 60000;
constexpr int kMacroDelayMax = 65535;
constexpr int kEmulationIntervalMax = 6000;

// How the keyboard plays a macro (CItemList::PlayMode).
enum MacroPlayMode : int {
    PlayTimes = 0,      // "Times Play": Cycles times per key press
    PlayWhileHeld = 1,  // "Press play, release stop"
    PlayToggle = 2,     // "Press to play/stop": one press starts, the next stops
};
constexpr int kMacroPlayModeCount = 3;

// The Fn key functions: a key that is an Fn key is one on all three layers, so choosing either
// for a key sets all three.
constexpr int kHWCodeRightFn = 156;
constexpr int kHWCodeLeftFn = 166;
constexpr bool IsFnKeyCode(int hwCode) {
    return hwCode == kHWCodeRightFn || hwCode == kHWCodeLeftFn;
}

// The item limit of a macro in one of its two delay modes.
constexpr int MacroItemLimit(bool fixedInterval) {
    return fixedInterval ? kMacroItemLimitFixedInterval : kMacroItemLimitRecordedDelays;
}

// A key the keyboard sends: what a single key, a combination, an emulation and a macro event
// are made of (not a media, mouse, function or power action, nor the double click).
bool IsKeyboardKeyCode(int hwCode);
// The mouse buttons and wheel, which macros may hold as events.
bool IsMacroMouseCode(int hwCode);
// Whether a kind with a single code (single, multimedia, mouse, function, power) may carry the
// HW code: a keyboard key for a single key, otherwise a code of that kind, the double click
// counting as a mouse action. False for the other kinds.
bool CodeFitsKind(int kind, int hwCode);

}  // namespace model

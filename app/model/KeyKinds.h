// Key numbers, layers and assignment kinds: the coordinates every per-key table of the
// configuration uses.
#pragma once

#include "OrvoHWI.h"

namespace model {

// Per-key tables have one entry per key number 1..82 plus index 0, which belongs to no key.
constexpr int kKeyIndexCount = kKeyCount + 1;
constexpr int kFirstKeyNumber = 1;
constexpr int kLastKeyNumber = kKeyCount;

// Layers as the configuration numbers them (the keyboard's records count 1..3).
enum Layer : int {
    LayerNoneFn = 0,
    LayerRightFn = 1,
    LayerLeftFn = 2,
};

// What a key does on one layer. Stored as a plain int in `keyMode`, and written to profiles as
// that number, so the values are part of the file format.
enum KeyKind : int {
    KindNotSet = 0,      // skipped when writing to the keyboard
    KindSingle = 1,      // keyHWCode
    KindCombo = 2,       // keyList: key names pressed together
    KindMacro = 3,       // keyList: events and delays, plus the playback values
    KindEmulation = 4,   // keyList: key names repeated every Delay ms
    KindMultimedia = 5,  // keyHWCode
    KindMouse = 6,       // keyHWCode
    KindFunction = 7,    // keyHWCode
    KindPower = 8,       // keyHWCode
};
constexpr int kKindCount = 9;

// HW code 199 is the mouse double click: not a keyboard code, the keyboard gets two codes 130.
constexpr int kHWCodeDoubleClick = 199;
constexpr int kHWCodeMouseKeyLeft = 130;

constexpr bool IsKeyNumber(int key) {
    return key >= kFirstKeyNumber && key <= kLastKeyNumber;
}
constexpr bool IsLayer(int layer) {
    return layer >= 0 && layer < kLayerCount;
}
// Layer names as the main window's layer buttons say them: "NoneFn", "RightFn", "LeftFn"; empty
// for any other number.
const char* LayerName(int layer);
constexpr bool IsKeyKind(int kind) {
    return kind >= 0 && kind < kKindCount;
}

// Kinds whose content is the key's list; every other kind uses the single HW code.
constexpr bool KindUsesList(int kind) {
    return kind == KindCombo || kind == KindMacro || kind == KindEmulation;
}

// The kind a single HW code gives when defaults are applied.
KeyKind KindOfHWCode(int hwCode);

// The kind of a single code read back from the keyboard: like KindOfHWCode, except that code 0
// is a single key (the keyboard does hold a code 0 when it was sent one).
KeyKind KindOfReadBackCode(int hwCode);

}  // namespace model

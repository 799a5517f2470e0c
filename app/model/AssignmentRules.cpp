#include "model/AssignmentRules.h"

namespace model {

namespace {

// The mouse buttons and the wheel: "Mouse Key Left" .. "Mouse Wheel Dn".
constexpr int kFirstMouseButtonCode = 130;
constexpr int kLastMouseButtonCode = 134;

}  // namespace

bool IsKeyboardKeyCode(int hwCode) {
    return hwCode > 0 && hwCode != kHWCodeDoubleClick && KindOfHWCode(hwCode) == KindSingle;
}

bool IsMacroMouseCode(int hwCode) {
    return hwCode >= kFirstMouseButtonCode && hwCode <= kLastMouseButtonCode;
}

bool CodeFitsKind(int kind, int hwCode) {
    switch (kind) {
        case KindSingle:
            return IsKeyboardKeyCode(hwCode);
        case KindMouse:
            return hwCode == kHWCodeDoubleClick || KindOfHWCode(hwCode) == KindMouse;
        case KindMultimedia:
        case KindFunction:
        case KindPower:
            return KindOfHWCode(hwCode) == kind;
        default:
            return false;
    }
}

}  // namespace model

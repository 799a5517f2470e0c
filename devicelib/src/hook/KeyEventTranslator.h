// Turns the key source's raw key events (Linux code, press/repeat/release) into the low-level
// records and keyboard messages of the hook: a press is WM_KEYDOWN, a release WM_KEYUP, and
// both become WM_SYSKEYDOWN / WM_SYSKEYUP while Alt is held without Ctrl (and for F10), as on
// the desktop the messages were designed for.
#pragma once

#include "OrvoHWI.h"

#include <array>
#include <cstdint>
#include <optional>

namespace z9rt {

// Values of a Linux key event.
enum class KeyAction : int { Release = 0, Press = 1, Repeat = 2 };

struct HookKeystroke {
    std::uint32_t message = WM_KEYDOWN;
    KeyHookRecord record;
};

class KeyEventTranslator {
public:
    // The keystroke for one event; nothing for keys without a virtual key.
    std::optional<HookKeystroke> Translate(int linuxCode, KeyAction action, std::uint32_t timeMs);
    void Reset();

private:
    bool IsDown(std::uint8_t vkCode) const { return down_[vkCode]; }
    bool AltDown() const;
    bool ControlDown() const;

    std::array<bool, 256> down_{};
    bool altUsedWithOtherKey_ = false;  // an Alt released after a chord is a plain release
};

}  // namespace z9rt

// Turns the hook's WM_HOOK_KEY messages into the keystrokes the capture modes receive: the key
// code with its released and keypad-Enter bits, the generic Shift resolved to a side, and the
// time since the keystroke before.
#pragma once

#include "KeySettingsPage.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace keysettings {

class HookKeyDecoder {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kMaxElapsedMs = 65535;

    // A capture starts: no keystroke before the next one.
    void restart();
    // One message, received at `now`; remembers it as the keystroke before the next.
    HookKey decode(std::uintptr_t wParam, std::intptr_t lParam, Clock::time_point now);

private:
    int resolveShift(int vk, bool released);

    std::optional<Clock::time_point> lastEventTime_;
    int lastEventCode_ = -1;
};

}  // namespace keysettings

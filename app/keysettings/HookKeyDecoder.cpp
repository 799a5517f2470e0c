#include "HookKeyDecoder.h"

#include "OrvoHWI.h"
#include "model/CodeTables.h"

using model::kKeyCodeExtended;
using model::kKeyCodeReleased;

namespace keysettings {
namespace {

constexpr std::uintptr_t kReleasedBit = 0x80000000u;
constexpr std::intptr_t kExtendedBit = 0x01000000;
constexpr int kVirtualKeyMask = 0xFF;
constexpr int kShift = 0x10;
constexpr int kLeftShift = 0xA0;
constexpr int kRightShift = 0xA1;
constexpr int kEnter = 0x0D;

// The Shift states seen at the last release of a generic Shift, for the whole program.
bool leftShiftAtLastRelease = false;
bool rightShiftAtLastRelease = false;

}  // namespace

void HookKeyDecoder::restart() {
    lastEventTime_.reset();
    lastEventCode_ = -1;
}

int HookKeyDecoder::resolveShift(int vk, bool released) {
    if (vk != kShift) {
        return vk;
    }
    const bool left = IsHookKeyDown(kLeftShift);
    const bool right = IsHookKeyDown(kRightShift);
    if (!released) {
        return left ? kLeftShift : right ? kRightShift : kShift;
    }
    // A release: the side whose state changed since the last release.
    int side = kShift;
    if (left != leftShiftAtLastRelease) {
        side = kLeftShift;
    } else if (right != rightShiftAtLastRelease) {
        side = kRightShift;
    }
    leftShiftAtLastRelease = left;
    rightShiftAtLastRelease = right;
    return side;
}

HookKey HookKeyDecoder::decode(std::uintptr_t wParam, std::intptr_t lParam, Clock::time_point now) {
    HookKey key;
    key.elapsedMs = kMaxElapsedMs;
    if (lastEventTime_ && now >= *lastEventTime_) {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - *lastEventTime_).count();
        key.elapsedMs = elapsed > kMaxElapsedMs ? kMaxElapsedMs : static_cast<int>(elapsed);
    }
    key.released = (wParam & kReleasedBit) != 0;
    const bool extended = (lParam & kExtendedBit) != 0;
    const int vk = resolveShift(static_cast<int>(wParam) & kVirtualKeyMask, key.released);
    key.code = (key.released ? kKeyCodeReleased : 0) + vk;
    if (vk == kEnter && extended) {
        key.code += kKeyCodeExtended;  // keypad Enter: 0x10D pressed, 0x30D released
    }
    key.previousCode = lastEventCode_;
    lastEventTime_ = now;
    lastEventCode_ = key.code;
    return key;
}

}  // namespace keysettings

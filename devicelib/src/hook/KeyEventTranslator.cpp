#include "hook/KeyEventTranslator.h"

#include "hook/VirtualKeyTable.h"

namespace z9rt {
namespace {

bool IsAlt(std::uint8_t vkCode) {
    return vkCode == vk::kLeftMenu || vkCode == vk::kRightMenu;
}

}  // namespace

bool KeyEventTranslator::AltDown() const {
    return IsDown(vk::kLeftMenu) || IsDown(vk::kRightMenu);
}

bool KeyEventTranslator::ControlDown() const {
    return IsDown(vk::kLeftControl) || IsDown(vk::kRightControl);
}

void KeyEventTranslator::Reset() {
    down_.fill(false);
    altUsedWithOtherKey_ = false;
}

std::optional<HookKeystroke> KeyEventTranslator::Translate(int linuxCode, KeyAction action,
                                                           std::uint32_t timeMs) {
    const std::optional<VirtualKey> key = VirtualKeyOfLinuxKey(linuxCode);
    if (!key) {
        return std::nullopt;
    }
    HookKeystroke keystroke;
    keystroke.record.vkCode = key->vkCode;
    keystroke.record.scanCode = static_cast<std::uint32_t>(linuxCode);
    keystroke.record.flags = key->extended ? kHookFlagExtended : 0;
    keystroke.record.time = timeMs;

    const bool pressed = action != KeyAction::Release;
    bool system = false;
    if (pressed) {
        if (IsAlt(key->vkCode) && !AltDown()) {
            altUsedWithOtherKey_ = false;
        } else if (!IsAlt(key->vkCode) && AltDown()) {
            altUsedWithOtherKey_ = true;
        }
        down_[key->vkCode] = true;
        system = (AltDown() && !ControlDown()) || key->vkCode == vk::kF10;
    } else {
        const bool altAlone = IsAlt(key->vkCode) && !altUsedWithOtherKey_;
        down_[key->vkCode] = false;
        system = (AltDown() && !ControlDown()) || key->vkCode == vk::kF10 ||
                 (altAlone && !ControlDown());
    }
    if (pressed) {
        keystroke.message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        keystroke.message = system ? WM_SYSKEYUP : WM_KEYUP;
    }
    return keystroke;
}

}  // namespace z9rt

// InstallHook, KeyBoardProc and UninstallHook: the keyboard hook around the evdev key source.
// A plain process-wide state takes the place of a section shared between processes: only the
// installing process ever used it.
#include "hook/KeyboardHook.h"

#include "OrvoHWI.h"
#include "hook/KeyEventTranslator.h"
#include "hook/KeySource.h"
#include "hook/VirtualKeyTable.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>

namespace z9rt {

std::string HookInputDirectory() {
    const char* const directory = std::getenv("Z9RT_HOOK_INPUT");
    if (directory == nullptr) {
        return "/dev/input";
    }
    const std::string chosen = directory;
    return chosen == "none" ? std::string() : chosen;
}

}  // namespace z9rt

namespace {

// WM_HOOK_KEY's wParam and lParam.
constexpr std::uintptr_t kReleasedBit = 0x80000000u;
constexpr std::uintptr_t kSystemKeyBit = 0x40000000u;
constexpr std::uintptr_t kVirtualKeyMask = 0x3FFFFFFFu;
constexpr std::intptr_t kExtendedKeyParam = 0x01000000;
constexpr std::intptr_t kSwallowed = 1;

std::mutex installMutex;     // InstallHook, UninstallHook and FeedHookKey
bool hookRequested = false;  // between InstallHook and UninstallHook
// Used by the source's thread while a source runs, else by FeedHookKey under installMutex.
z9rt::KeyEventTranslator translator;
std::atomic<WindowHandle> targetWindow{nullptr};
std::array<std::atomic<bool>, 256> keysDown{};  // by virtual-key code
// Defined last, so that at exit its thread stops before what the thread uses is destroyed.
std::unique_ptr<z9rt::KeySource> keySource;  // null: no hook installed

void ForgetKeysDown() {
    for (auto& down : keysDown) {
        down.store(false);
    }
}

void DeliverKeyEvent(int linuxCode, z9rt::KeyAction action, std::uint32_t timeMs) {
    const std::optional<z9rt::HookKeystroke> keystroke =
        translator.Translate(linuxCode, action, timeMs);
    if (keystroke) {
        KeyBoardProc(0, keystroke->message, &keystroke->record);
    }
}

bool IsRelease(std::uint32_t message) {
    return message == WM_KEYUP || message == WM_SYSKEYUP;
}

}  // namespace

void InstallHook(WindowHandle window) {
    const std::lock_guard<std::mutex> lock(installMutex);
    keySource.reset();  // a second InstallHook replaces the first
    translator.Reset();
    ForgetKeysDown();
    // The window is kept even when no key source starts: the program then feeds KeyBoardProc
    // from its own key capture, and the messages still go to this window.
    targetWindow.store(window);
    hookRequested = true;
    const std::string directory = z9rt::HookInputDirectory();
    if (!directory.empty()) {
        keySource = z9rt::StartKeySource(directory, DeliverKeyEvent);
    }
}

void UninstallHook() {
    const std::lock_guard<std::mutex> lock(installMutex);
    keySource.reset();
    hookRequested = false;
    ForgetKeysDown();
}

bool FeedHookKey(int linuxCode, int action) {
    const std::lock_guard<std::mutex> lock(installMutex);
    if (!hookRequested || keySource != nullptr) {
        return false;
    }
    if (action < static_cast<int>(z9rt::KeyAction::Release) ||
        action > static_cast<int>(z9rt::KeyAction::Repeat)) {
        return false;
    }
    const auto keyAction = static_cast<z9rt::KeyAction>(action);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto timeMs = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    const std::optional<z9rt::HookKeystroke> keystroke =
        translator.Translate(linuxCode, keyAction, timeMs);
    if (!keystroke) {
        return false;
    }
    KeyBoardProc(0, keystroke->message, &keystroke->record);
    return true;
}

bool IsHookInstalled() {
    const std::lock_guard<std::mutex> lock(installMutex);
    return keySource != nullptr;
}

bool IsHookKeyDown(int vkCode) {
    const auto down = [](std::uint8_t code) { return keysDown[code].load(); };
    switch (vkCode) {
        case z9rt::vk::kShift:
            return down(z9rt::vk::kLeftShift) || down(z9rt::vk::kRightShift);
        case z9rt::vk::kControl:
            return down(z9rt::vk::kLeftControl) || down(z9rt::vk::kRightControl);
        case z9rt::vk::kMenu:
            return down(z9rt::vk::kLeftMenu) || down(z9rt::vk::kRightMenu);
        default:
            return vkCode >= 0 && vkCode < static_cast<int>(keysDown.size()) &&
                   down(static_cast<std::uint8_t>(vkCode));
    }
}

std::intptr_t KeyBoardProc(int /*code*/, std::uint32_t message, const KeyHookRecord* record) {
    if (record == nullptr) {
        return kSwallowed;
    }
    std::uintptr_t wParam = record->vkCode & kVirtualKeyMask;
    switch (message) {
        case WM_KEYUP:
            wParam |= kReleasedBit;
            break;
        case WM_SYSKEYDOWN:
            wParam |= kSystemKeyBit;
            break;
        case WM_SYSKEYUP:
            wParam |= kReleasedBit | kSystemKeyBit;
            break;
        default:
            break;
    }
    if (record->vkCode < keysDown.size()) {
        keysDown[record->vkCode].store(!IsRelease(message));
    }
    const std::intptr_t lParam = (record->flags & kHookFlagExtended) != 0 ? kExtendedKeyParam : 0;
    // A message that cannot be delivered loses the keystroke; it is swallowed all the same.
    (void)PostWindowMessage(targetWindow.load(), WM_HOOK_KEY, wParam, lParam);
    return kSwallowed;
}

#include "hook/VirtualKeyTable.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <array>

namespace z9rt {
namespace {

struct Translation {
    int linuxCode;
    std::uint8_t vkCode;
    bool extended;
};

constexpr bool kExtended = true;
constexpr bool kPlain = false;

// The keys a keyboard of the family and an ordinary desktop keyboard have. The keypad gives
// its NumLock-on codes. Extended are the keys that Windows reports with the E0 prefix: the
// right Ctrl and Alt, the Windows and menu keys, the navigation block and arrows, keypad
// Enter and divide, NumLock, Print Screen and the multimedia keys.
constexpr Translation kTranslations[] = {
    {KEY_ESC, 0x1B, kPlain},
    {KEY_1, '1', kPlain},
    {KEY_2, '2', kPlain},
    {KEY_3, '3', kPlain},
    {KEY_4, '4', kPlain},
    {KEY_5, '5', kPlain},
    {KEY_6, '6', kPlain},
    {KEY_7, '7', kPlain},
    {KEY_8, '8', kPlain},
    {KEY_9, '9', kPlain},
    {KEY_0, '0', kPlain},
    {KEY_MINUS, 0xBD, kPlain},
    {KEY_EQUAL, 0xBB, kPlain},
    {KEY_BACKSPACE, 0x08, kPlain},
    {KEY_TAB, 0x09, kPlain},
    {KEY_Q, 'Q', kPlain},
    {KEY_W, 'W', kPlain},
    {KEY_E, 'E', kPlain},
    {KEY_R, 'R', kPlain},
    {KEY_T, 'T', kPlain},
    {KEY_Y, 'Y', kPlain},
    {KEY_U, 'U', kPlain},
    {KEY_I, 'I', kPlain},
    {KEY_O, 'O', kPlain},
    {KEY_P, 'P', kPlain},
    {KEY_LEFTBRACE, 0xDB, kPlain},
    {KEY_RIGHTBRACE, 0xDD, kPlain},
    {KEY_ENTER, 0x0D, kPlain},
    {KEY_LEFTCTRL, 0xA2, kPlain},
    {KEY_A, 'A', kPlain},
    {KEY_S, 'S', kPlain},
    {KEY_D, 'D', kPlain},
    {KEY_F, 'F', kPlain},
    {KEY_G, 'G', kPlain},
    {KEY_H, 'H', kPlain},
    {KEY_J, 'J', kPlain},
    {KEY_K, 'K', kPlain},
    {KEY_L, 'L', kPlain},
    {KEY_SEMICOLON, 0xBA, kPlain},
    {KEY_APOSTROPHE, 0xDE, kPlain},
    {KEY_GRAVE, 0xC0, kPlain},
    {KEY_LEFTSHIFT, 0xA0, kPlain},
    {KEY_BACKSLASH, 0xDC, kPlain},
    {KEY_Z, 'Z', kPlain},
    {KEY_X, 'X', kPlain},
    {KEY_C, 'C', kPlain},
    {KEY_V, 'V', kPlain},
    {KEY_B, 'B', kPlain},
    {KEY_N, 'N', kPlain},
    {KEY_M, 'M', kPlain},
    {KEY_COMMA, 0xBC, kPlain},
    {KEY_DOT, 0xBE, kPlain},
    {KEY_SLASH, 0xBF, kPlain},
    {KEY_RIGHTSHIFT, 0xA1, kPlain},
    {KEY_KPASTERISK, 0x6A, kPlain},
    {KEY_LEFTALT, 0xA4, kPlain},
    {KEY_SPACE, 0x20, kPlain},
    {KEY_CAPSLOCK, 0x14, kPlain},
    {KEY_F1, 0x70, kPlain},
    {KEY_F2, 0x71, kPlain},
    {KEY_F3, 0x72, kPlain},
    {KEY_F4, 0x73, kPlain},
    {KEY_F5, 0x74, kPlain},
    {KEY_F6, 0x75, kPlain},
    {KEY_F7, 0x76, kPlain},
    {KEY_F8, 0x77, kPlain},
    {KEY_F9, 0x78, kPlain},
    {KEY_F10, 0x79, kPlain},
    {KEY_NUMLOCK, 0x90, kExtended},
    {KEY_SCROLLLOCK, 0x91, kPlain},
    {KEY_KP7, 0x67, kPlain},
    {KEY_KP8, 0x68, kPlain},
    {KEY_KP9, 0x69, kPlain},
    {KEY_KPMINUS, 0x6D, kPlain},
    {KEY_KP4, 0x64, kPlain},
    {KEY_KP5, 0x65, kPlain},
    {KEY_KP6, 0x66, kPlain},
    {KEY_KPPLUS, 0x6B, kPlain},
    {KEY_KP1, 0x61, kPlain},
    {KEY_KP2, 0x62, kPlain},
    {KEY_KP3, 0x63, kPlain},
    {KEY_KP0, 0x60, kPlain},
    {KEY_KPDOT, 0x6E, kPlain},
    {KEY_102ND, 0xE2, kPlain},
    {KEY_F11, 0x7A, kPlain},
    {KEY_F12, 0x7B, kPlain},
    {KEY_KPENTER, 0x0D, kExtended},
    {KEY_RIGHTCTRL, 0xA3, kExtended},
    {KEY_KPSLASH, 0x6F, kExtended},
    {KEY_SYSRQ, 0x2C, kExtended},
    {KEY_RIGHTALT, 0xA5, kExtended},
    {KEY_HOME, 0x24, kExtended},
    {KEY_UP, 0x26, kExtended},
    {KEY_PAGEUP, 0x21, kExtended},
    {KEY_LEFT, 0x25, kExtended},
    {KEY_RIGHT, 0x27, kExtended},
    {KEY_END, 0x23, kExtended},
    {KEY_DOWN, 0x28, kExtended},
    {KEY_PAGEDOWN, 0x22, kExtended},
    {KEY_INSERT, 0x2D, kExtended},
    {KEY_DELETE, 0x2E, kExtended},
    {KEY_MUTE, 0xAD, kExtended},
    {KEY_VOLUMEDOWN, 0xAE, kExtended},
    {KEY_VOLUMEUP, 0xAF, kExtended},
    {KEY_KPEQUAL, 0x92, kPlain},
    {KEY_PAUSE, 0x13, kPlain},
    {KEY_KPCOMMA, 0x6C, kPlain},
    {KEY_LEFTMETA, 0x5B, kExtended},
    {KEY_RIGHTMETA, 0x5C, kExtended},
    {KEY_COMPOSE, 0x5D, kExtended},
    {KEY_SLEEP, 0x5F, kExtended},
    {KEY_MAIL, 0xB4, kExtended},
    {KEY_BOOKMARKS, 0xAB, kExtended},
    {KEY_BACK, 0xA6, kExtended},
    {KEY_FORWARD, 0xA7, kExtended},
    {KEY_NEXTSONG, 0xB0, kExtended},
    {KEY_PLAYPAUSE, 0xB3, kExtended},
    {KEY_PREVIOUSSONG, 0xB1, kExtended},
    {KEY_STOPCD, 0xB2, kExtended},
    {KEY_HOMEPAGE, 0xAC, kExtended},
    {KEY_REFRESH, 0xA8, kExtended},
    {KEY_STOP, 0xA9, kExtended},
    {KEY_SEARCH, 0xAA, kExtended},
    {KEY_MEDIA, 0xB5, kExtended},
    {KEY_CALC, 0xB7, kExtended},
    {KEY_COMPUTER, 0xB6, kExtended},
    {KEY_F13, 0x7C, kPlain},
    {KEY_F14, 0x7D, kPlain},
    {KEY_F15, 0x7E, kPlain},
    {KEY_F16, 0x7F, kPlain},
    {KEY_F17, 0x80, kPlain},
    {KEY_F18, 0x81, kPlain},
    {KEY_F19, 0x82, kPlain},
    {KEY_F20, 0x83, kPlain},
    {KEY_F21, 0x84, kPlain},
    {KEY_F22, 0x85, kPlain},
    {KEY_F23, 0x86, kPlain},
    {KEY_F24, 0x87, kPlain},
};

}  // namespace

std::optional<VirtualKey> VirtualKeyOfLinuxKey(int linuxCode) {
    const auto* const found = std::find_if(
        std::begin(kTranslations), std::end(kTranslations),
        [linuxCode](const Translation& entry) { return entry.linuxCode == linuxCode; });
    if (found == std::end(kTranslations)) {
        return std::nullopt;
    }
    return VirtualKey{found->vkCode, found->extended};
}

std::optional<int> LinuxKeyOfVirtualKey(std::uint8_t vkCode, bool extended) {
    const auto* const exact = std::find_if(
        std::begin(kTranslations), std::end(kTranslations), [=](const Translation& entry) {
            return entry.vkCode == vkCode && entry.extended == extended;
        });
    if (exact != std::end(kTranslations)) {
        return exact->linuxCode;
    }
    // Some keyboards and remote sessions report a key with the other extended flag.
    const auto* const any =
        std::find_if(std::begin(kTranslations), std::end(kTranslations),
                     [=](const Translation& entry) { return entry.vkCode == vkCode; });
    return any != std::end(kTranslations) ? std::optional<int>(any->linuxCode) : std::nullopt;
}

}  // namespace z9rt

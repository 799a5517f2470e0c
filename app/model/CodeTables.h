// The key code tables: display names of key codes, key code to HW code and back, and the kind
// captions, with the conversions between HW codes, key codes and names.
//
// A key code is a Windows virtual-key code 0x01..0xFE, or one of the program's own codes from
// 0x100 upwards; the keyboard's HW codes run 1..204. Content lists and profiles hold names,
// so the names are part of the profile format.
#pragma once

#include "model/KeyKinds.h"

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace model {

// Size of both code tables.
constexpr int kCodeTableSize = 1024;
// Key codes carry the extended-key flag in bit 8 and the released flag in bit 9.
constexpr int kKeyCodeMask = 0x1FF;
constexpr int kKeyCodeReleased = 0x200;
constexpr int kKeyCodeExtended = 0x100;

// The name that stands for "no name".
inline constexpr std::wstring_view kNoName = L"-- --";

// Caption languages, the first index of kindName.
constexpr int kCaptionChinese = 0;
constexpr int kCaptionEnglish = 1;

class CKeyCodeTables {
public:
    std::map<int, std::wstring> keyNames;      // key code -> name, ascending codes
    std::array<int, kCodeTableSize> vkToHw{};  // key code -> HW code, 0 = none
    std::array<int, kCodeTableSize> hwToVk{};  // HW code -> key code
    std::array<std::array<std::wstring, kKindCount>, 2> kindName;  // [language][KeyKind]

    // Fills the tables (once, at start-up).
    void FillCodeTables();

    // Name of the key a HW code stands for; "-- --" when there is none.
    std::wstring NameOfHWCode(int hwCode) const;
    // HW code of an item text: a key name, an event name ("A Down", "A UP") or a delay item
    // ("<50 ms>", which yields its milliseconds); 0 when nothing matches.
    int HWCodeOfName(std::wstring_view text) const;
    // Name of a key code from the hook, with " Down" or " UP" when asked; "-- --" when the key
    // code has no name.
    std::wstring EventName(int code, bool withSuffix) const;
};

// The main window's caption of a key number 1..82; empty for any other number.
std::wstring_view KeyCaption(int key);
// The same caption in UTF-8, for the windows' element tables (which keep the pointer).
const char* KeyCaptionUtf8(int key);

}  // namespace model

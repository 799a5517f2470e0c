#include "model/CodeTables.h"

#include "model/WideText.h"

#include <array>
#include <cstddef>
#include <string>

namespace model {

namespace {

struct KeyNameRow {
    int code;
    const wchar_t* name;
    int hwCode;  // 0: the key code has no HW code
};

// Assigned in this order; a later row for the same code replaces the earlier name.
constexpr KeyNameRow kKeyNameRows[] = {
    {0x01, L"Left mouse button", 0},
    {0x02, L"Right mouse button", 0},
    {0x03, L"Control-break processing", 0},
    {0x04, L"Middle mouse button", 0},
    {0x05, L"X1 mouse button", 0},
    {0x06, L"X2 mouse button", 0},
    {0x08, L"BACKSPACE", 27},
    {0x09, L"TAB", 28},
    {0x0A, L"Reserved", 0},
    {0x0B, L"Reserved", 0},
    {0x0C, L"CLEAR", 0},
    {0x0D, L"ENTER", 54},
    {0x10, L"SHIFT", 0},
    {0x11, L"Left CTRL", 0},
    {0x12, L"Left ALT", 0},
    {0x13, L"PAUSE", 80},
    {0x14, L"CAPS LOCK", 42},
    {0x15, L"IME Kana mode", 0},
    {0x15, L"IME Hanguel mode (maintained for compatibility; use VK_HANGUL)", 0},
    {0x15, L"IME Hangul mode", 0},
    {0x17, L"IME Junja mode", 0},
    {0x18, L"IME final mode", 0},
    {0x19, L"IME Hanja mode", 0},
    {0x19, L"IME Kanji mode", 0},
    {0x1B, L"ESC", 1},
    {0x1C, L"IME convert", 0},
    {0x1D, L"IME nonconvert", 0},
    {0x1E, L"IME accept", 0},
    {0x1F, L"IME mode change request", 0},
    {0x20, L"SPACEBAR", 70},
    {0x21, L"PGUP", 83},
    {0x22, L"PGDN", 86},
    {0x23, L"END", 85},
    {0x24, L"HOME", 82},
    {0x25, L"LEFT ARROW", 88},
    {0x26, L"UP ARROW", 87},
    {0x27, L"RIGHT ARROW", 90},
    {0x28, L"DOWN ARROW", 89},
    {0x29, L"SELECT", 0},
    {0x2A, L"PRINT", 0},
    {0x2B, L"EXECUTE", 0},
    {0x2C, L"PRINT SCREEN", 78},
    {0x2D, L"INS", 81},
    {0x2E, L"DEL", 84},
    {0x2F, L"HELP", 0},
    {0x30, L"0", 24},
    {0x31, L"1", 15},
    {0x32, L"2", 16},
    {0x33, L"3", 17},
    {0x34, L"4", 18},
    {0x35, L"5", 19},
    {0x36, L"6", 20},
    {0x37, L"7", 21},
    {0x38, L"8", 22},
    {0x39, L"9", 23},
    {0x41, L"A", 43},
    {0x42, L"B", 60},
    {0x43, L"C", 58},
    {0x44, L"D", 45},
    {0x45, L"E", 31},
    {0x46, L"F", 46},
    {0x47, L"G", 47},
    {0x48, L"H", 48},
    {0x49, L"I", 36},
    {0x4A, L"J", 49},
    {0x4B, L"K", 50},
    {0x4C, L"L", 51},
    {0x4D, L"M", 62},
    {0x4E, L"N", 61},
    {0x4F, L"O", 37},
    {0x50, L"P", 38},
    {0x51, L"Q", 29},
    {0x52, L"R", 32},
    {0x53, L"S", 44},
    {0x54, L"T", 33},
    {0x55, L"U", 35},
    {0x56, L"V", 59},
    {0x57, L"W", 30},
    {0x58, L"X", 57},
    {0x59, L"Y", 34},
    {0x5A, L"Z", 56},
    {0x5B, L"LWin", 68},
    {0x5C, L"RWin", 72},
    {0x5D, L"App", 73},
    {0x5E, L"Reserved", 0},
    {0x5F, L"Sleep", 0},
    {0x60, L"(0)", 103},
    {0x61, L"(1)", 100},
    {0x62, L"(2)", 101},
    {0x63, L"(3)", 102},
    {0x64, L"(4)", 97},
    {0x65, L"(5)", 98},
    {0x66, L"(6)", 99},
    {0x67, L"(7)", 94},
    {0x68, L"(8)", 95},
    {0x69, L"(9)", 96},
    {0x6A, L"(*)", 93},
    {0x6B, L"(+)", 106},
    {0x6C, L"Separator", 0},
    {0x6D, L"(-)", 105},
    {0x6E, L"(.)", 104},
    {0x6F, L"(/)", 92},
    {0x70, L"F1", 2},
    {0x71, L"F2", 3},
    {0x72, L"F3", 4},
    {0x73, L"F4", 5},
    {0x74, L"F5", 6},
    {0x75, L"F6", 7},
    {0x76, L"F7", 8},
    {0x77, L"F8", 9},
    {0x78, L"F9", 10},
    {0x79, L"F10", 11},
    {0x7A, L"F11", 12},
    {0x7B, L"F12", 13},
    {0x7C, L"F13", 0},
    {0x7D, L"F14", 0},
    {0x7E, L"F15", 0},
    {0x7F, L"F16", 0},
    {0x80, L"F17", 0},
    {0x81, L"F18", 0},
    {0x82, L"F19", 0},
    {0x83, L"F20", 0},
    {0x84, L"F21", 0},
    {0x85, L"F22", 0},
    {0x86, L"F23", 0},
    {0x87, L"F24", 0},
    {0x90, L"NUM LOCK", 91},
    {0x91, L"SCR LOCK", 79},
    {0xA0, L"LSHIFT", 55},
    {0xA1, L"RSHIFT", 66},
    {0xA2, L"LCTRL", 67},
    {0xA3, L"RCTRL", 74},
    {0xA4, L"LALT", 69},
    {0xA5, L"RALT", 71},
    {0xA6, L"Browser Back", 0},
    {0xA7, L"Browser Forward", 0},
    {0xA8, L"Browser Refresh", 0},
    {0xA9, L"Browser Stop", 0},
    {0xAA, L"Browser Search", 0},
    {0xAB, L"Browser Favorites", 0},
    {0xAC, L"Browser Start and Home", 0},
    {0xAD, L"Volume Mute", 0},
    {0xAE, L"Volume Down", 0},
    {0xAF, L"Volume Up", 0},
    {0xB0, L"Next Track", 0},
    {0xB1, L"Previous Track", 0},
    {0xB2, L"Stop Media", 0},
    {0xB3, L"Play/Pause Media", 0},
    {0xB4, L"Start Mail", 0},
    {0xB5, L"Select Media", 0},
    {0xB6, L"Start Application 1", 0},
    {0xB7, L"Start Application 2", 0},
    {0xBA, L";", 52},
    {0xBB, L"=", 26},
    {0xBC, L",", 63},
    {0xBD, L"-", 25},
    {0xBE, L".", 64},
    {0xBF, L"/", 65},
    {0xC0, L"`", 14},
    {0xDB, L"[", 39},
    {0xDC, L"\\", 41},
    {0xDD, L"]", 40},
    {0xDE, L"'", 53},
    {0xDF, L"Used for miscellaneous characters; it can vary by keyboard.", 0},
    {0xE0, L"Reserved", 0},
    {0xE1, L"OEM specific", 0},
    {0xE2, L"<>|", 204},
    {0xE5, L"IME PROCESS", 0},
    {0xE6, L"OEM specific", 0},
    {0xE7,
     L"Used to pass Unicode characters as if they were keystrokes. The VK_PACKET key is the low "
     L"word of a 32-bit Virtual Key value used for non-keyboard input methods. For more "
     L"information, see Remark in KEYBDINPUT, SendInput, WM_KEYDOWN, and WM_KEYUP",
     0},
    {0xE8, L"Unassigned", 0},
    {0xF6, L"Attn", 0},
    {0xF7, L"CrSel", 0},
    {0xF8, L"ExSel", 0},
    {0xF9, L"Erase EOF", 0},
    {0xFA, L"Play", 0},
    {0xFB, L"Zoom", 0},
    {0xFC, L"Reserved", 0},
    {0xFD, L"PA1", 0},
    {0xFE, L"Clear", 0},
    {0x10D, L"(Enter)", 107},
    {0x14B, L"Wake Up", 75},
    {0x14C, L"Sleep", 76},
    {0x14D, L"Power", 77},
    {0x16C, L"Next track", 108},
    {0x16D, L"Previous track", 109},
    {0x16E, L"Stop", 110},
    {0x16F, L"Play/Pause", 111},
    {0x170, L"Mute", 112},
    {0x171, L"VolumeUp", 113},
    {0x172, L"VolumeDown", 114},
    {0x173, L"Media Select", 115},
    {0x174, L"E-mail", 116},
    {0x175, L"Calculator", 117},
    {0x176, L"My computer", 118},
    {0x177, L"WWW Search", 119},
    {0x178, L"WWW Home", 120},
    {0x179, L"WWW Back", 121},
    {0x17A, L"WWW Forward", 122},
    {0x17B, L"WWW Stop", 123},
    {0x17C, L"WWW Refresh", 124},
    {0x17D, L"WWW Favorities", 125},
    {0x17E, L"Mouse Left", 126},
    {0x17F, L"Mouse Right", 127},
    {0x180, L"Mouse Up", 128},
    {0x181, L"Mouse Down", 129},
    {0x182, L"Mouse Key Left", 130},
    {0x183, L"Mouse Key Right", 131},
    {0x184, L"Mouse Key Middle", 132},
    {0x185, L"Mouse Wheel Up", 133},
    {0x186, L"Mouse Wheel Dn", 134},
    {0x187, L"Backlight Switch", 135},
    {0x188, L"Backlight Macro", 136},
    {0x189, L"Demonstrate", 137},
    {0x18A, L"Star shower", 138},
    {0x18B, L"Riffle", 139},
    {0x18C, L"Demo Stop", 140},
    {0x18D, L"Breathe", 141},
    {0x18E, L"Breathe Frequence-", 142},
    {0x18F, L"Breathe Frequence+", 143},
    {0x190, L"Backlight Lightness-", 144},
    {0x191, L"Backlight Lightness+", 145},
    {0x192, L"Sunset or Relax/Aurora", 146},
    {0x193, L"Color Breathe", 147},
    {0x194, L"Back Color Exchange", 148},
    {0x195, L"Adjust Trigger Point", 149},
    {0x196, L"Keyboard Lock", 150},
    {0x197, L"Number Lock", 151},
    {0x198, L"Ctrl&Caps Exchange", 152},
    {0x199, L"WinLock", 153},
    {0x19A, L"MouseLock", 154},
    {0x19B, L"Win/Mac Exchange", 155},
    {0x19C, L"RightFN", 156},
    {0x19D, L"Unit Pixel", 157},
    {0x19E, L"Unit Time", 158},
    {0x19F, L"Programmable Keyboard", 159},
    {0x1A0, L"Backlight Record1", 160},
    {0x1A1, L"Backlight Record2", 161},
    {0x1A2, L"Backlight Record3", 162},
    {0x1A3, L"Backlight Record4", 163},
    {0x1A4, L"Backlight Record5", 164},
    {0x1A5, L"Backlight Record6", 165},
    {0x1A6, L"LeftFN", 166},
    {0x1A7, L"Wire&Wireless Exchange", 167},
    {0x1A8, L"BTD1", 168},
    {0x1A9, L"BTD2", 169},
    {0x1AA, L"BTD3", 170},
    {0x1AB, L"Game", 171},
    {0x1AC, L"ECO", 172},
    {0x1AD, L"First Delay", 173},
    {0x1AE, L"Key Repeat Rate", 174},
    {0x1AF, L"Key Response Delay", 175},
    {0x1B0, L"Query power", 176},
    {0x1B4, L"BTD4", 180},
    {0x1B5, L"BTD5", 181},
    {0x1C7, L"Left Double Click", 199},
    {0x1C8, L"(00)", 203},
};

// Key codes without a name that still have a HW code.
constexpr KeyNameRow kUnnamedCodes[] = {
    {999, nullptr, 77},
};

constexpr const wchar_t* kKindCaptions[2][kKindCount] = {
    {L"未设置", L"单键", L"组合键", L"宏键", L"模拟击键", L"多媒体键", L"鼠标键", L"操控键",
     L"电源键"},
    {L"Not set", L"Single", L"Combo", L"Macro", L"Emulation", L"Multimedia", L"Mouse", L"Function",
     L"Power"},
};

constexpr const wchar_t* kKeyCaptions[kKeyCount] = {
    L"Esc",       L"F1",   L"F2",    L"F3",     L"F4",    L"F5", L"F6",    L"F7",   L"F8",
    L"F9",        L"F10",  L"F11",   L"F12",    L"Del",   L"~",  L"1",     L"2",    L"3",
    L"4",         L"5",    L"6",     L"7",      L"8",     L"9",  L"0",     L"-",    L"+",
    L"BackSpace", L"Home", L"Tab",   L"Q",      L"W",     L"E",  L"R",     L"T",    L"Y",
    L"U",         L"I",    L"O",     L"P",      L"[",     L"]",  L"\\",    L"PgUp", L"Caps Lock",
    L"A",         L"S",    L"D",     L"F",      L"G",     L"H",  L"J",     L"K",    L"L",
    L";",         L"'",    L"Enter", L"PgDown", L"Shift", L"Z",  L"X",     L"C",    L"V",
    L"B",         L"N",    L"M",     L"<",      L">",     L"?",  L"Shift", L"Up",   L"End",
    L"Ctrl",      L"Win",  L"Alt",   L"Space",  L"Alt",   L"Fn", L"Ctrl",  L"Left", L"Down",
    L"Right"};

// Event suffixes, in the order names are compared.
constexpr std::wstring_view kSuffixUp = L" UP";
constexpr std::wstring_view kSuffixDown = L" Down";
// A delay item ends with this text ("<50 ms>").
constexpr std::wstring_view kDelayMarker = L"ms>";
// Characters around the number of a delay item: "<" before it, " ms>" after it.
constexpr std::size_t kDelayPrefixLength = 1;
constexpr std::size_t kDelaySuffixLength = 4;

bool IsNameWithSuffix(std::wstring_view text, std::wstring_view name, std::wstring_view suffix) {
    return text.size() == name.size() + suffix.size() && text.substr(0, name.size()) == name &&
           text.substr(name.size()) == suffix;
}

}  // namespace

void CKeyCodeTables::FillCodeTables() {
    keyNames.clear();
    vkToHw.fill(0);
    hwToVk.fill(0);
    for (const KeyNameRow& row : kKeyNameRows) {
        keyNames[row.code] = row.name;
        vkToHw[static_cast<std::size_t>(row.code)] = row.hwCode;
    }
    for (const KeyNameRow& row : kUnnamedCodes) {
        vkToHw[static_cast<std::size_t>(row.code)] = row.hwCode;
    }
    // A HW code reached from several key codes maps back to the highest of them; HW code 0
    // therefore maps to the last key code of the table.
    for (int code = 0; code < kCodeTableSize; ++code) {
        const int hwCode = vkToHw[static_cast<std::size_t>(code)];
        hwToVk[static_cast<std::size_t>(hwCode)] = code;
    }
    for (std::size_t language = 0; language < kindName.size(); ++language) {
        for (std::size_t kind = 0; kind < kKindCount; ++kind) {
            kindName[language][kind] = kKindCaptions[language][kind];
        }
    }
}

std::wstring CKeyCodeTables::NameOfHWCode(int hwCode) const {
    if (hwCode < 0 || hwCode >= kCodeTableSize) {
        return std::wstring(kNoName);
    }
    const int code = hwToVk[static_cast<std::size_t>(hwCode)] & kKeyCodeMask;
    const auto found = keyNames.find(code);
    return found == keyNames.end() ? std::wstring(kNoName) : found->second;
}

int CKeyCodeTables::HWCodeOfName(std::wstring_view text) const {
    if (text.find(kDelayMarker) != std::wstring_view::npos) {
        if (text.size() < kDelayPrefixLength + kDelaySuffixLength) {
            return 0;
        }
        return ParseDecimal(
            text.substr(kDelayPrefixLength, text.size() - kDelayPrefixLength - kDelaySuffixLength));
    }
    // The walk stops at the lowest key code whose name matches, so a name that occurs more
    // than once resolves through its lowest code ("Sleep" through 0x5F, which has no HW code).
    for (const auto& [code, name] : keyNames) {
        if (text == name || IsNameWithSuffix(text, name, kSuffixUp) ||
            IsNameWithSuffix(text, name, kSuffixDown)) {
            if (code < 0 || code >= kCodeTableSize) {
                return 0;
            }
            return vkToHw[static_cast<std::size_t>(code)];
        }
    }
    return 0;
}

std::wstring CKeyCodeTables::EventName(int code, bool withSuffix) const {
    const auto found = keyNames.find(code & kKeyCodeMask);
    if (found == keyNames.end()) {
        return std::wstring(kNoName);
    }
    std::wstring name = found->second;
    if (withSuffix) {
        name += code >= kKeyCodeReleased ? kSuffixUp : kSuffixDown;
    }
    return name;
}

std::wstring_view KeyCaption(int key) {
    return IsKeyNumber(key) ? kKeyCaptions[key - kFirstKeyNumber] : std::wstring_view();
}

const char* KeyCaptionUtf8(int key) {
    static const std::array<std::string, kKeyCount> captions = [] {
        std::array<std::string, kKeyCount> utf8;
        for (int k = kFirstKeyNumber; k <= kLastKeyNumber; ++k) {
            utf8[static_cast<std::size_t>(k - kFirstKeyNumber)] = Utf8FromWide(KeyCaption(k));
        }
        return utf8;
    }();
    return IsKeyNumber(key) ? captions[static_cast<std::size_t>(key - kFirstKeyNumber)].c_str()
                            : "";
}

}  // namespace model

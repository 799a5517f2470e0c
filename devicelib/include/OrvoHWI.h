// The device library's public interface: everything a program needs to find the keyboard,
// exchange key definitions, colours, counters, version and firmware with it, and capture
// keystrokes through the keyboard hook. This is the only header a program includes.
//
// The library knows windows only as opaque handles. It delivers its window messages through
// one process-wide poster that the program registers at start-up (SetMessagePoster); a null
// window, or no registered poster, posts nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32) && defined(Z9RT_BUILDING_DEVICELIB)
#define Z9RT_API __declspec(dllexport)
#elif defined(_WIN32)
#define Z9RT_API  // the linker finds the names in the DLL's import library
#else
#define Z9RT_API __attribute__((visibility("default")))
#endif

// ---------------------------------------------------------------------------------------------
// Window messages

// An opaque window as the program knows it; the library never dereferences it.
using WindowHandle = void*;

// Message values shared by the library, the workers and the windows.
constexpr std::uint32_t WM_HOOK_KEY = 0x466;         // wParam: vk | bit 31 released | bit 30 system
constexpr std::uint32_t WM_DEVICE_PROGRESS = 0x467;  // wParam: slot 0..245, or 0..150
constexpr std::uint32_t WM_DEVICE_DONE = 0x468;      // wParam: 0 for jobs, outcome for firmware

// Delivers one message to a window, asynchronously. Must be safe to call from any thread and
// with a window that no longer exists (the message is then lost). Returns whether it was queued.
using MessagePoster = bool (*)(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam);

// Registers the program's poster (replacing any earlier one; null unregisters).
Z9RT_API void SetMessagePoster(MessagePoster poster);

// Posts through the registered poster. A null window or no poster posts nothing (false).
Z9RT_API bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);

// ---------------------------------------------------------------------------------------------
// Sizes of the arrays that cross the library boundary

constexpr int kKeyCount = 82;                           // key numbers 1..82
constexpr int kLayerCount = 3;                          // layers 0..2 at this interface
constexpr int kKeySlotCount = kKeyCount * kLayerCount;  // 246 slots in the key table
constexpr int kLightAreaSize = kKeyCount * 3;           // 246: red, green, blue per key
constexpr int kCounterCount = kKeyCount;                // 82 press counters
constexpr int kVersionTextLength = 64;                  // wide characters of a version buffer
constexpr int kKeyConfigurationCapacity = 65536;  // elements callers pass to getKeyConfiguration

// Device types returned by DetectDeviceType.
constexpr int kDeviceTypeNone = 0;
constexpr int kDeviceTypePrsmBle = 1;  // product 0x502F
constexpr int kDeviceTypeSBle = 2;     // product 0x512F
constexpr int kDeviceTypeS = 3;        // product 0x522F
constexpr int kDeviceTypePrsm = 4;     // product 0x532F

// ---------------------------------------------------------------------------------------------
// Every keyboard of the family that is attached, for tools that list them

struct KeyboardInterface {
    int deviceType = kDeviceTypeNone;  // 1..4
    std::string path;                  // the interface path the facade would open
};

// Every matching interface in enumeration order; the facade uses the first.
Z9RT_API std::vector<KeyboardInterface> ListKeyboards();

// Why the environment's choice of keyboard (Z9RT_HID: hidapi, the default; sim; none) is
// refused, naming the accepted values; empty when it is accepted. A refused choice finds no
// keyboard.
Z9RT_API std::string KeyboardBackendProblem();

// ---------------------------------------------------------------------------------------------
// The facade

class COrvoUtil;
class COrvo;

class Z9RT_API COrvoHWI {
public:
    COrvoHWI();
    ~COrvoHWI();  // closes the facade

    // Copies share the one channel and store as they stand; the last holder closes them.
    COrvoHWI(const COrvoHWI& other);
    COrvoHWI& operator=(const COrvoHWI& other);

    // Discovery: each call walks the devices afresh.
    bool DetectDevice();
    int DetectDeviceType();

    // Opening and closing. Opening an open facade changes nothing.
    bool __createDev();
    bool __closeDev();

    // Version query into the caller's buffer of at least kVersionTextLength characters.
    bool ReadKeyboardVersion(wchar_t* buffer);
    // Version query into the facade's own text, which is returned whatever the outcome.
    const wchar_t* getHardwareVersion();

    // Key definition table (layer 0..2, key 1..82).
    bool prepare();
    bool setKeyConfiguration(int layer, int key, const int* array, int elementCount);
    bool getKeyConfiguration(int layer, int key, int* array, int capacity);

    // Key definition transfers; progress goes to `window` as WM_DEVICE_PROGRESS per slot.
    bool writeKeyConfigurationToDev(WindowHandle window);
    bool readKeyDefinationFromDev(WindowHandle window);

    // Light area (kLightAreaSize integers) and press counters (kCounterCount integers).
    // setKeyboardLightArea is true when every report of the write went out.
    bool setKeyboardLightArea(const int* colors);
    bool getKeyboardLightArea(int* colors);
    bool readKeyLightFromDev();
    // Fills `counters` from the keyboard, each the bit pattern of an unsigned 32-bit count
    // (read it back as std::uint32_t). False when the exchange failed: `counters` then holds
    // the previous read's counters, partly overwritten by what arrived.
    bool getPressCounterFromDev(int* counters);

    // Firmware download of a NUL-terminated Intel HEX text; progress 0..150 goes to `window`.
    bool WriteFirmwareToKeyboard(const char* text, int length, WindowHandle window);

private:
    std::shared_ptr<COrvoUtil> channel_;  // absent while closed
    std::shared_ptr<COrvo> store_;        // absent while closed; refers to channel_
    wchar_t version_[kVersionTextLength];
};

// ---------------------------------------------------------------------------------------------
// The keyboard hook

// Keyboard messages carried by a hook record.
constexpr std::uint32_t WM_KEYDOWN = 0x100;
constexpr std::uint32_t WM_KEYUP = 0x101;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x104;
constexpr std::uint32_t WM_SYSKEYUP = 0x105;

// One low-level keystroke, as the key source delivers it to KeyBoardProc.
struct KeyHookRecord {
    std::uint32_t vkCode = 0;    // Windows virtual-key code
    std::uint32_t scanCode = 0;  // the platform's own key code (Linux: KEY_*)
    std::uint32_t flags = 0;     // kHookFlagExtended for extended keys
    std::uint32_t time = 0;      // milliseconds, steady clock
};
constexpr std::uint32_t kHookFlagExtended = 0x01;

// Starts capturing every keystroke of the desktop for `window` (replacing an earlier hook).
Z9RT_API void InstallHook(WindowHandle window);
// Turns one keystroke into WM_HOOK_KEY for the hook's window; returns 1 (swallowed).
Z9RT_API std::intptr_t KeyBoardProc(int code, std::uint32_t message, const KeyHookRecord* record);
// Stops capturing; keystrokes reach the desktop again.
Z9RT_API void UninstallHook();
// Whether the hook captures keystrokes desktop-wide: a key source is running and no other
// program sees a keystroke. False before InstallHook, after UninstallHook, and when no keyboard
// event device could be opened (no access to them, or Z9RT_HOOK_INPUT=none): the program must
// then capture keys in its own window and hand them over with FeedHookKey.
Z9RT_API bool IsHookInstalled();
// Hands over one keystroke that the program captured in its own window, as a Linux key code
// (KEY_* of the input layer; the X and Wayland keycode minus 8) with its action (0 released,
// 1 pressed, 2 auto-repeated). It takes the key source's own path: the same translation to a
// virtual key, the same system-key rule, KeyBoardProc. Does nothing and returns false when no
// hook is installed, while a key source runs (it sees the keystroke itself), and for a code
// without a virtual key.
Z9RT_API bool FeedHookKey(int linuxCode, int action);
// Whether the key source has seen the virtual key go down and not yet up.
Z9RT_API bool IsHookKeyDown(int vkCode);

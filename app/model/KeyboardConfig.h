// CKeyboardConfig: the whole configuration the user edits, saves and writes to the keyboard,
// with the run-time settings every window shares, the code tables, the hand-over areas of the
// backlight and virtual keyboard dialogs, and the device facade all keyboard traffic goes
// through.
//
// The program has one instance, `theConfig`; tests and the command-line tool construct their
// own. A fresh instance has empty code tables: call BuildCodeTables() (start-up does) and set
// deviceType before ResetToDefaults().
#pragma once

#include "OrvoHWI.h"
#include "model/CodeTables.h"
#include "model/KeyDefinitionArrays.h"
#include "model/KeyboardProfile.h"
#include "model/Languages.h"
#include "model/VirtualPick.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace model {

// A press counter as the windows show and compare it: the keyboard's unsigned 32-bit count
// (0..4294967295), or negative when there is no count.
using PressCount = std::int64_t;

// A press counter that holds no data: every byte 200 of a 32-bit integer, as a fresh
// configuration and a loaded profile have them. Negative, so the highest/lowest rule passes
// over it and the windows show no number.
constexpr std::uint32_t kCounterNoDataBits = 0xC8C8C8C8U;
constexpr int kCounterNoData = -926365496;
static_assert(static_cast<std::uint32_t>(kCounterNoData) == kCounterNoDataBits);

class CKeyboardConfig : public CKeyCodeTables, public CKeyboardProfile {
public:
    CKeyboardConfig();
    // One configuration owns one device facade; copies would share it behind its back.
    CKeyboardConfig(const CKeyboardConfig&) = delete;
    CKeyboardConfig& operator=(const CKeyboardConfig&) = delete;

    // Run-time settings.
    std::string language;   // "zh-CN" or "en-US"; empty until BuildCodeTables
    int deviceType = 0;     // 2 Z9RT(S)Ble, 3 Z9RT(S), 4 Z9RT(PRSM), other Z9RT(PRSM)Ble
    int keysDirty = 0;      // assignments changed and not yet written to the keyboard
    int clickGuard = 0;     // the main window ignores left-button releases while set
    float scaleFactor = 0;  // screen height / 1080, at least 1, set by the main window
    int selectedKey = 0;    // key number the key settings dialog edits
    int currentLayer = 0;   // layer shown and edited

    // Press counters as last read from the keyboard, and the keys with the highest and the
    // lowest positive counter (-1: none).
    PerKey<PressCount> pressCounter{};
    int highestKey = -1;
    int lowestKey = -1;

    // Hand-over areas of the backlight dialogs.
    PerKey<std::uint8_t> lightSelected{};  // keys selected in the multi-key light dialog
    PerKey<RGBColor> lightWorkColor{};     // working copy of lightColor
    RGBColor lightPickColor{};             // colour last picked in the multi-key dialog

    // Results of the virtual keyboard (HW codes).
    int virtualSingle = 0;
    std::array<int, kVirtualComboSize> virtualCombo{};
    int virtualComboCount = 0;

    COrvoHWI device;                   // all keyboard traffic goes through it
    WindowHandle jobWindow = nullptr;  // receives a running transfer's progress messages
    std::wstring firmwarePath;         // firmware file handed to the download worker

    // Builds the code tables and kind names and sets the language to Chinese.
    void BuildCodeTables();
    // The default libraries, colours and assignments of the model of deviceType. Leaves the
    // settings, counters and device alone.
    void ResetToDefaults();
    // Default HW code of a key and layer on the model of deviceType.
    int DefaultHWCode(int key, int layer) const;
    static KeyKind KindOfHWCode(int hwCode) { return model::KindOfHWCode(hwCode); }
    // Every counter back to "no data", no highest or lowest key.
    void InvalidatePressCounters();

    // What a transfer job read, stored into the model (on the thread that owns it).
    void ApplyKeyAssignments(const std::vector<KeyReadBack>& slots);
    void ApplyLightColors(const std::array<int, kLightAreaSize>& colors);
    void ApplyPressCounters(const KeyboardCounts& counters);
};

// The program's one configuration.
extern CKeyboardConfig theConfig;

}  // namespace model

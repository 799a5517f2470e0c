// CKeyboardProfile: the part of the configuration that a profile file holds and that profile
// loading replaces as a whole: the three libraries, the key colours and the assignments of
// every key on every layer.
#pragma once

#include "model/ItemList.h"
#include "model/KeyKinds.h"

#include <array>

namespace model {

// A backlight colour; each component 0..255.
struct RGBColor {
    int Red = 0;
    int Green = 0;
    int Blue = 0;

    friend bool operator==(const RGBColor& a, const RGBColor& b) {
        return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
    }
    friend bool operator!=(const RGBColor& a, const RGBColor& b) { return !(a == b); }
};

template <typename T>
using PerKey = std::array<T, kKeyIndexCount>;
template <typename T>
using PerKeyAndLayer = std::array<std::array<T, kLayerCount>, kKeyIndexCount>;

// Rows the library list views show.
constexpr int kMacroLibraryRows = 9;
constexpr int kComboLibraryRows = 6;
constexpr int kEmulationLibraryRows = 9;

class CKeyboardProfile {
public:
    // Libraries: item = entry name, sub-list = the entry's content list.
    CItemList predefinedMacro;
    CItemList predefinedCombo;
    CItemList predefinedEmu;

    PerKey<RGBColor> lightColor{};
    PerKeyAndLayer<int> keyMode{};    // KeyKind per key number and layer
    PerKeyAndLayer<int> keyHWCode{};  // HW code per key number and layer
    PerKeyAndLayer<CItemList> keyList;

    // The default assignments of a model: empty libraries, black keys, every key (index 0
    // included) on its default HW code. Key lists keep their SizeOfView.
    void ApplyDefaults(int deviceType);
    // One key's default assignment on one layer.
    void ApplyKeyDefault(int deviceType, int key, int layer);
    // The libraries as a fresh configuration has them: empty, with their view sizes.
    void ClearLibraries();

    friend bool operator==(const CKeyboardProfile& a, const CKeyboardProfile& b);
    friend bool operator!=(const CKeyboardProfile& a, const CKeyboardProfile& b) {
        return !(a == b);
    }
};

}  // namespace model

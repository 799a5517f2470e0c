#include "model/KeyboardProfile.h"

#include "model/DefaultKeyTables.h"

namespace model {

void CKeyboardProfile::ClearLibraries() {
    predefinedMacro.Clear();
    predefinedMacro.SizeOfView = kMacroLibraryRows;
    predefinedCombo.Clear();
    predefinedCombo.SizeOfView = kComboLibraryRows;
    predefinedEmu.Clear();
    predefinedEmu.SizeOfView = kEmulationLibraryRows;
}

void CKeyboardProfile::ApplyKeyDefault(int deviceType, int key, int layer) {
    if (key < 0 || key >= kKeyIndexCount || !IsLayer(layer)) {
        return;
    }
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    keyHWCode[k][l] = DefaultHWCode(deviceType, key, layer);
    keyList[k][l].Clear();
    keyMode[k][l] = KindOfHWCode(keyHWCode[k][l]);
}

void CKeyboardProfile::ApplyDefaults(int deviceType) {
    ClearLibraries();
    lightColor.fill(RGBColor{});
    for (int key = 0; key < kKeyIndexCount; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            ApplyKeyDefault(deviceType, key, layer);
        }
    }
}

bool operator==(const CKeyboardProfile& a, const CKeyboardProfile& b) {
    return a.predefinedMacro == b.predefinedMacro && a.predefinedCombo == b.predefinedCombo &&
           a.predefinedEmu == b.predefinedEmu && a.lightColor == b.lightColor &&
           a.keyMode == b.keyMode && a.keyHWCode == b.keyHWCode && a.keyList == b.keyList;
}

}  // namespace model

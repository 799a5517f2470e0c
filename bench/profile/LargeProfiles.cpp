#include "LargeProfiles.h"

#include <string>

using model::CItemList;
using model::CKeyboardConfig;
using model::kFirstKeyNumber;
using model::KindMacro;
using model::kLastKeyNumber;

namespace {

constexpr int kMacroItems = 799;
constexpr int kLibraryCombos = 200;

}  // namespace

CItemList BenchMacro(int seed) {
    CItemList macro;
    macro.SizeOfView = 9;
    macro.Cycles = 1 + seed % 5;
    const wchar_t* keys[] = {L"A", L"LCTRL", L"Ctrl&Caps Exchange", L"(Enter)", L"F12"};
    for (int i = 0; i < kMacroItems; ++i) {
        const std::wstring key = keys[(i / 2 + seed) % 5];
        if (i % 2 == 1) {
            macro.Append(L"<" + std::to_wstring(10 + (i + seed) % 300) + L" ms>");
        } else {
            macro.Append(key + ((i / 2) % 2 == 0 ? L" Down" : L" UP"));
        }
    }
    return macro;
}

std::unique_ptr<CKeyboardConfig> LargeConfig(int macroKeys, int libraryMacros) {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    int slot = 0;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer, ++slot) {
            if (slot < macroKeys) {
                config->keyMode[key][layer] = KindMacro;
                config->keyList[key][layer] = BenchMacro(slot);
            }
        }
        config->lightColor[key] = {key, 255 - key, (key * 7) % 256};
    }
    for (int entry = 0; entry < libraryMacros; ++entry) {
        config->predefinedMacro.Append(L"宏 " + std::to_wstring(entry));
        config->predefinedMacro.SetSubList(config->predefinedMacro.CursorPos, BenchMacro(entry));
    }
    for (int entry = 0; entry < kLibraryCombos; ++entry) {
        CItemList combo;
        combo.SizeOfView = 6;
        for (const wchar_t* key : {L"LCTRL", L"LSHIFT", L"<>|", L"A"}) {
            combo.Append(key);
        }
        config->predefinedCombo.Append(L"combo \"" + std::to_wstring(entry) + L"\"");
        config->predefinedCombo.SetSubList(config->predefinedCombo.CursorPos, combo);
    }
    return config;
}

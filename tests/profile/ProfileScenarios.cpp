#include "ProfileScenarios.h"

#include "model/WideText.h"

using model::CItemList;
using model::CKeyboardConfig;
using model::DelayItemText;
using model::KindCombo;
using model::KindEmulation;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;
using model::KindSingle;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;

namespace {

CItemList ListOf(std::initializer_list<std::wstring> items, int sizeOfView) {
    CItemList list;
    list.SizeOfView = sizeOfView;
    for (const std::wstring& item : items) {
        list.Append(item);
    }
    return list;
}

}  // namespace

std::unique_ptr<CKeyboardConfig> FreshConfig(int deviceType) {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = deviceType;
    config->ResetToDefaults();
    return config;
}

std::unique_ptr<CKeyboardConfig> ContentConfig() {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    CKeyboardConfig& c = *config;

    // Key 5 on the right Fn layer: a combo of two keys (HW code kept from the defaults).
    c.keyMode[5][LayerRightFn] = KindCombo;
    c.keyList[5][LayerRightFn] = ListOf({L"LCTRL", L"A"}, 6);

    // Key 46 without Fn: a macro with recorded delays, cursor moved up.
    CItemList recorded =
        ListOf({L"A Down", DelayItemText(50), L"A UP", DelayItemText(120),
                L"Ctrl&Caps Exchange Down", DelayItemText(8), L"Ctrl&Caps Exchange UP"},
               9);
    recorded.Cycles = 3;
    recorded.Select(1);
    c.keyMode[46][LayerNoneFn] = KindMacro;
    c.keyList[46][LayerNoneFn] = recorded;

    // Key 47 on the left Fn layer: a macro with a fixed interval, play mode 2.
    CItemList fixed = ListOf({L"LSHIFT Down", L"<>| Down", L"<>| UP", L"LSHIFT UP"}, 9);
    fixed.IsAutoInterval = true;
    fixed.Delay = 25;
    fixed.PlayMode = 2;
    fixed.Cycles = 0;
    c.keyMode[47][LayerLeftFn] = KindMacro;
    c.keyList[47][LayerLeftFn] = fixed;

    // Key 30 without Fn: an emulation repeating every 250 ms.
    CItemList emulation = ListOf({L"W", L"A", L"S", L"D"}, 9);
    emulation.Delay = 250;
    c.keyMode[30][LayerNoneFn] = KindEmulation;
    c.keyList[30][LayerNoneFn] = emulation;

    // Single-code kinds, the double click, a code 0 single key and a key not set.
    c.keyMode[60][LayerNoneFn] = KindMouse;
    c.keyHWCode[60][LayerNoneFn] = 199;
    c.keyMode[61][LayerNoneFn] = KindMultimedia;
    c.keyHWCode[61][LayerNoneFn] = 113;
    c.keyMode[62][LayerNoneFn] = KindPower;
    c.keyHWCode[62][LayerNoneFn] = 76;
    c.keyMode[63][LayerNoneFn] = KindSingle;
    c.keyHWCode[63][LayerNoneFn] = 0;
    c.keyMode[64][LayerNoneFn] = KindNotSet;

    // Libraries: entry names with markup characters, quotes and Chinese text.
    c.predefinedCombo.Append(L"Copy & \"paste\"");
    c.predefinedCombo.SetSubList(c.predefinedCombo.CursorPos, ListOf({L"LCTRL", L"C"}, 6));
    c.predefinedCombo.Append(L"<Alt>'s tab");
    c.predefinedCombo.SetSubList(c.predefinedCombo.CursorPos, ListOf({L"LALT", L"TAB"}, 6));
    c.predefinedMacro.Append(L"宏键 一");
    c.predefinedMacro.SetSubList(c.predefinedMacro.CursorPos, recorded);
    c.predefinedEmu.Append(L"连发 W");
    c.predefinedEmu.SetSubList(c.predefinedEmu.CursorPos, emulation);
    c.predefinedEmu.Select(0);

    // Colours.
    c.lightColor[1] = {255, 0, 0};
    c.lightColor[41] = {12, 34, 56};
    c.lightColor[82] = {0, 0, 255};
    return config;
}

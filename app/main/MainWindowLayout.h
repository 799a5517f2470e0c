// The main window's face in design coordinates: its buttons, labels and 82 key buttons for each
// keyboard model, the kind colours of the key bars, and the images it draws from. Shared by the
// window and the artwork generator, so every picture lines up with what the window hit-tests.
#pragma once

#include "SkinLayout.h"

#include <array>
#include <vector>

namespace mainwin {

constexpr skin::FaceSize kFaceSize{1040, 690};
constexpr int kItemCapacity = 120;
constexpr int kKeyCount = 82;

// Buttons (ids below 100) and the first key button (key k is item kFirstKeyId - 1 + k).
enum ButtonId : int {
    kIdVerifyWrites = 83,
    kIdHeatMap = 84,
    kIdLanguage = 85,
    kIdReadCounters = 86,
    kIdHelp = 87,
    kIdHide = 88,
    kIdExit = 89,
    kIdSave = 90,
    kIdOpen = 91,
    kIdDefault = 92,
    kIdWriteKeys = 93,
    kIdBacklight = 94,
    kIdReadAll = 95,
    kIdFirmware = 96,
    kIdLayerLeftFn = 97,
    kIdLayerNoneFn = 98,
    kIdLayerRightFn = 99,
    kFirstKeyId = 100,
};

// Labels: the button captions, the layer indicators and the legend of the kind bars.
enum LabelId : int {
    kLabelLegendCombo = 55,
    kLabelLegendMacro = 56,
    kLabelLegendEmulation = 57,
    kLabelLegendMultimedia = 58,
    kLabelLegendMouse = 59,
    kLabelLegendFunction = 60,
    kLabelLegendPower = 61,
    kLabelLanguage = 65,
    kLabelReadCounters = 67,
    kLabelSave = 70,
    kLabelOpen = 71,
    kLabelDefault = 72,
    kLabelWriteKeys = 73,
    kLabelBacklight = 74,
    kLabelReadAll = 75,
    kLabelFirmware = 76,
    kIndicatorNoneFn = 77,
    kIndicatorLeftFn = 78,
    kIndicatorRightFn = 79,
    kLabelHeatMap = 80,
    kLabelVerifyWrites = 81,
};

constexpr int KeyItemId(int key) {
    return kFirstKeyId - 1 + key;
}

// Where the heat map's legend stands while the keys show their press counts: over the legend of
// the kind bars, which the heat map does not draw.
constexpr skin::DesignRect kHeatLegendRect{250, 480, 900, 502};

// The display line (a read-only text box) below the keyboard.
constexpr skin::DesignRect kDisplayLineRect{47, 506, 960, 650};
constexpr int kDisplayLineFontSize = 13;
constexpr skin::Rgb kIndicatorSelectedColor{0, 255, 0};

// Colour of the bar a key shows for its assignment kind (index = kind; 0 and 1 draw no bar).
constexpr std::array<skin::Rgb, 9> kKindColors{{
    {0, 0, 0},      // not set
    {0, 128, 192},  // single
    {255, 255, 0},  // combo
    {0, 255, 0},    // macro
    {128, 128, 0},  // emulation
    {255, 0, 255},  // multimedia
    {10, 10, 255},  // mouse
    {0, 255, 255},  // function
    {255, 0, 0},    // power
}};

// The three faces of the window for a device type: drawn whole, hovered and active.
struct FaceImages {
    int base;
    int hover;
    int active;
};
FaceImages FaceImagesFor(int deviceType);

// The two S models have no backlight button.
bool IsSModel(int deviceType);
// "Z9RT(S)Ble", "Z9RT(S)", "Z9RT(PRSM)" or, for any other type, "Z9RT(PRSM)Ble".
const char* ModelName(int deviceType);

skin::DesignRect KeyRect(int key);  // key 1..82
// Every element of the window for the model, in table order: buttons, keys, then labels (so a
// button's hover copy never covers a caption drawn over it).
std::vector<skin::ItemSpec> MainWindowItems(int deviceType);

}  // namespace mainwin

// The backlight settings window's face in design coordinates: its buttons, their captions, the
// line that tells the colour of the key under the pointer, and the 82 keys. Shared by the window
// and the artwork generator.
#pragma once

#include "BacklightKeys.h"
#include "SkinLayout.h"

#include <vector>

namespace backlight {

constexpr skin::FaceSize kSettingsFaceSize{860, 476};
constexpr int kSettingsItemCapacity = 100;

constexpr int kSettingsImageBackground = 131;
constexpr int kSettingsImageHover = 132;

// Buttons; each button's caption is a label with the button's id (the title carries the close
// box's id).
enum SettingsId : int {
    kIdClose = 88,
    kIdRead = 89,
    kIdDefault = 90,
    kIdWrite = 91,
    kIdCancel = 92,
    kIdOk = 94,
    kIdSetAll = 95,
    kIdMultiKey = 97,
    // The line naming the key under the pointer and its colour as "#rrggbb".
    kLabelKeyColour = 98,
};

// The recessed box of the key colour line, the colour sample at its left and its text.
constexpr skin::DesignRect kKeyColourBox{82, 60, 777, 94};
constexpr skin::DesignRect kKeyColourSample{92, 68, 110, 86};
constexpr skin::DesignRect kKeyColourText{120, 60, 770, 94};
constexpr skin::Rgb kKeyColourTextColor{255, 111, 0};

// Buttons, labels, the key colour line, then the keys.
std::vector<skin::ItemSpec> SettingsItems();

}  // namespace backlight

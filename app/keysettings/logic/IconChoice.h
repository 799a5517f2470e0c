// The choice on an icon page (Multimedia, Mouse, Function, Power): one HW code, or none.
#pragma once

#include "model/KeyKinds.h"

namespace keysettings {

constexpr int kNoIconChoice = -1;

// The Fn keys: a key that is one must be it on all three layers, so "OK" writes them there.
constexpr int kHWCodeRightFn = 156;
constexpr int kHWCodeLeftFn = 166;

// A click on the icon of `iconCode`: the chosen icon clicked again withdraws the choice; any
// other icon becomes the choice.
constexpr int ChoiceAfterClick(int choice, int iconCode) {
    return choice == iconCode ? kNoIconChoice : iconCode;
}

// An icon shows selected exactly when it is the choice.
constexpr bool IsChosen(int choice, int iconCode) {
    return choice == iconCode;
}

// "OK" assigns the choice only when there is one.
constexpr bool IsAssignable(int choice) {
    return choice > 0;
}

// Whether "OK" on the Function page writes the choice to all three layers of the key.
constexpr bool WritesAllLayers(int functionCode) {
    return functionCode == kHWCodeRightFn || functionCode == kHWCodeLeftFn;
}

// The kind an icon page assigns (4 Multimedia, 5 Mouse, 6 Function, 7 Power); KindNotSet for
// any other page.
constexpr KeyKind KindOfIconPage(int page) {
    switch (page) {
        case 4:
            return KindMultimedia;
        case 5:
            return KindMouse;
        case 6:
            return KindFunction;
        case 7:
            return KindPower;
        default:
            return KindNotSet;
    }
}

// Whether the pointer over an icon that is not chosen shows its tooltip: on the Multimedia,
// Function and Power pages (the Mouse page's icons carry labels).
constexpr bool ShowsTooltip(int iconId, bool chosen) {
    const bool tipped = (iconId >= 401 && iconId <= 418) || (iconId >= 601 && iconId <= 633) ||
                        (iconId >= 701 && iconId <= 703);
    return tipped && !chosen;
}

}  // namespace keysettings

// The choice on an icon page (Multimedia, Mouse, Function, Power): one HW code, or none.
#pragma once

#include "model/AssignmentRules.h"
#include "model/KeyKinds.h"

namespace keysettings {

constexpr int kNoIconChoice = -1;

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

// Whether "OK" on the Function page writes the choice to all three layers of the key: the Fn
// keys, since a key that is one must be it on every layer.
constexpr bool WritesAllLayers(int functionCode) {
    return model::IsFnKeyCode(functionCode);
}

// The kind an icon page assigns (4 Multimedia, 5 Mouse, 6 Function, 7 Power); KindNotSet for
// any other page.
constexpr model::KeyKind KindOfIconPage(int page) {
    switch (page) {
        case 4:
            return model::KindMultimedia;
        case 5:
            return model::KindMouse;
        case 6:
            return model::KindFunction;
        case 7:
            return model::KindPower;
        default:
            return model::KindNotSet;
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

// Opens and closes every window of the program from its main window, as a user would with the
// pointer: the key settings dialog on each of its pages with the virtual keyboard, the progress
// dialog, the backlight window with the multi-key window, the firmware window and a message
// box. Positions come from the windows' own element tables.
#pragma once

#include "VirtualScreen.h"

#include <string>

namespace bench {

struct TourTimes {
    bool completed = false;
    std::string failure;  // the step that did not happen, when not completed
    // From the click that opens it to its first paint.
    double progressOpenMs = 0.0;
    double messageBoxOpenMs = 0.0;
};

// `mainWindow`: the painted main window of a Z9RT(PRSM)Ble, at scale 1.
TourTimes TourEveryWindow(VirtualScreen& screen, const ShownWindow& mainWindow);

}  // namespace bench

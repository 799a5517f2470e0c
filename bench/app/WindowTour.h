// Opens and closes every window of the program from its main window, as a user would with the
// pointer: the key settings dialog on each of its pages with the virtual keyboard, the progress
// dialog, the backlight window with the multi-key window, the firmware window and a message
// box (the progress dialog and the message box several times). Positions come from the
// windows' own element tables.
#pragma once

#include "VirtualScreen.h"

#include <string>
#include <utility>
#include <vector>

namespace bench {

struct TourTimes {
    bool completed = false;
    std::string failure;  // the step that did not happen, when not completed
    // Each opening of a window by name, in order, with the time from the click that opened it
    // to its first paint.
    std::vector<std::pair<std::string, double>> openMs;
};

// `mainWindow`: the painted main window of a Z9RT(PRSM)Ble, at scale 1.
TourTimes TourEveryWindow(VirtualScreen& screen, const ShownWindow& mainWindow);

}  // namespace bench

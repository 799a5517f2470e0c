// Page 3: emulations (keys repeated at an interval). It opens on a key holding an emulation,
// shows the emulation library and the selected entry's keys, and on "OK" assigns that entry and
// writes the library back. Recording and the interval edit join here.
#pragma once

#include "LibraryPage.h"

namespace keysettings {

class EmulationPage : public LibraryPage {
public:
    explicit EmulationPage(PageHost& host);
};

}  // namespace keysettings

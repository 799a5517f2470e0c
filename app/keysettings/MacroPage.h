// Page 2: macros. It opens on a key holding a macro, shows the macro library and the selected
// macro's events, and on "OK" assigns that macro and writes the library back. Recording, the
// playback settings, the delay editor and the popup menu join here.
#pragma once

#include "LibraryPage.h"

namespace keysettings {

class MacroPage : public LibraryPage {
public:
    explicit MacroPage(PageHost& host);
};

}  // namespace keysettings

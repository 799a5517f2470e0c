#include "EmulationPage.h"

#include "model/KeyKinds.h"

namespace keysettings {

EmulationPage::EmulationPage(PageHost& host)
    : LibraryPage(host, kEmuLibrary, kContentRows, KindEmulation,
                  &CKeyboardProfile::predefinedEmu) {}

}  // namespace keysettings

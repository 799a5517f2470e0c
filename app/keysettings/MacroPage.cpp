#include "MacroPage.h"

#include "model/KeyKinds.h"

namespace keysettings {

MacroPage::MacroPage(PageHost& host)
    : LibraryPage(host, kMacroLibrary, kContentRows, KindMacro,
                  &CKeyboardProfile::predefinedMacro) {}

}  // namespace keysettings

#include "keysettings/logic/PressReleaseFilter.h"

namespace keysettings {

bool PressReleaseFilter::Take(int code, bool released) {
    bool& down = down_[static_cast<unsigned>(code) & 0xFFU];
    if (down != released) {
        return false;
    }
    down = !down;
    return true;
}

}  // namespace keysettings

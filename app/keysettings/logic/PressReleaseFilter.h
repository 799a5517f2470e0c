// The press/release filter of macro and emulation recording. The hook reports every key
// message on the desktop, auto-repeated presses of a held key included; a recording wants each
// press once and each release once, and nothing of a key that was already down when it began.
#pragma once

#include <array>

namespace keysettings {

class PressReleaseFilter {
public:
    // Every key counts as up.
    void Reset() { down_.fill(false); }

    // Takes a press of a key marked up or a release of a key marked down, and flips the mark;
    // drops the rest: the repeated presses of a held key, and the release of a key that was
    // held when the filter was reset. Keys are told apart by the virtual-key code in the low
    // byte of `code`.
    bool Take(int code, bool released);

private:
    std::array<bool, 256> down_{};
};

}  // namespace keysettings

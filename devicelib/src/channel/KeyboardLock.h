// A keyboard talks with one program at a time: two programs' conversations on one keyboard
// would take each other's answers. A connection holds the keyboard's lock for as long as it is
// open, and a second program's open is refused as busy. Each platform has its own file.
#pragma once

#include <cstdint>
#include <string>

namespace z9rt {

class KeyboardLock {
public:
    // Takes the lock of the keyboard at the interface `path`. Busy() when another program holds
    // it; neither held nor busy when the keyboard cannot be locked at all (it is then opened all
    // the same).
    explicit KeyboardLock(const std::string& path);
    ~KeyboardLock();  // gives the keyboard to the next program
    KeyboardLock(const KeyboardLock&) = delete;
    KeyboardLock& operator=(const KeyboardLock&) = delete;

    bool Busy() const { return busy_; }

private:
    std::intptr_t handle_ = -1;  // the platform's handle of what holds the lock, -1 for none
    bool busy_ = false;
};

}  // namespace z9rt

// What another program sees of an input device: a reader that prints every key event it gets,
// and a holder that keeps the device grabbed, as a second key capture would.
#pragma once

#include <csignal>
#include <string>

namespace rig {

// Prints "key CODE VALUE" for every key event of `device` until `stop` is set; the exit status.
int WatchInput(const std::string& device, const volatile std::sig_atomic_t& stop);

// Grabs `device` exclusively, prints "grabbed", and holds it until `stop` is set.
int HoldGrab(const std::string& device, const volatile std::sig_atomic_t& stop);

}  // namespace rig

// The hook's process-wide state, for the library's own tests: where the key source looks for
// event devices.
#pragma once

#include <string>

namespace z9rt {

// The directory of keyboard event devices: Z9RT_HOOK_INPUT when set, else /dev/input. The
// value "none" (or an empty value) disables the key source, so that InstallHook installs
// nothing and the program captures keys itself; the tests run that way, so they never grab
// the keyboard of the machine they run on.
std::string HookInputDirectory();

}  // namespace z9rt

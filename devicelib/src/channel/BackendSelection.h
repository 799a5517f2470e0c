// Which backend runs, chosen from the environment at every discovery and open:
//   Z9RT_HID=sim        the simulated keyboard; anything else, or unset, the real one (hidapi)
//   Z9RT_HID_TRACE=FILE every report of an opened connection is appended to FILE
#pragma once

#include "channel/HidConnection.h"

#include <memory>
#include <string>

namespace z9rt {

HidBackend& ActiveBackend();

// Opens `path` on the active backend, wrapped in the trace when one is asked for; null when
// the interface cannot be opened.
std::unique_ptr<HidConnection> OpenConnection(const std::string& path);

}  // namespace z9rt

// Which backend runs, chosen from the environment at every discovery and open:
//   Z9RT_HID=hidapi     real keyboards through hidapi (hidraw); the same when unset or empty
//   Z9RT_HID=sim        the simulated keyboard
//   Z9RT_HID=none       no keyboard at all: nothing enumerates and no device is ever opened
//   Z9RT_HID_TRACE=FILE every report of an opened connection is appended to FILE
// Any other value is refused: it is reported once on the standard error and no keyboard is
// found, so a typing error never reaches a real keyboard by accident.
#pragma once

#include "channel/HidConnection.h"

#include <memory>
#include <optional>
#include <string>

namespace z9rt {

enum class BackendChoice { Hidapi, Simulated, None };

// The choice a value of Z9RT_HID makes (null for an unset variable); nothing for a value that
// names no backend.
std::optional<BackendChoice> ParseBackendChoice(const char* value);

// Why the value of Z9RT_HID is refused, naming the accepted values; empty when it is accepted.
std::string BackendVariableProblem(const char* value);

HidBackend& ActiveBackend();

// Opens `path` on the active backend, wrapped in the trace when one is asked for; null when
// the interface cannot be opened.
std::unique_ptr<HidConnection> OpenConnection(const std::string& path);

}  // namespace z9rt

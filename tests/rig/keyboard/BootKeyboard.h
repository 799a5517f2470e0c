// Typing on the gadget's boot keyboard interface: chords such as "a", "leftctrl+c" or "f4",
// each pressed and released as a keyboard sends them (an 8-byte report per change).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rig {

using BootReport = std::array<std::uint8_t, 8>;

// The reports that press and release `chord` (names joined by "+"; modifiers and at most six
// keys): the press, then the release. Nothing for a name the keyboard does not have.
std::optional<std::vector<BootReport>> ChordReports(const std::string& chord);

// Sends reports on the keyboard interface's device `fd` (opened non-blocking), waiting at
// most `waitMs` for the host to take each one; false when it does not (nobody reads the
// keyboard) or the device is gone.
bool SendBootReports(int fd, const std::vector<BootReport>& reports, int waitMs);

}  // namespace rig

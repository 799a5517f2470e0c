// The rule that recognises the keyboard's vendor interface from its identity text, kept as a
// plain function over text so its edge cases need no device.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace z9rt {

// The identity text of one HID interface: "vid_%04x&pid_%04x&mi_%02x", lower-case hex.
std::string IdentityText(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber);

// The device type 1..4 the text names, or 0 when it is not the keyboard's interface 1.
// The text must hold "mi_01" after its first character, "0483" after its first "vid_" and one
// of "502f", "512f", "522f", "532f" after its first "pid_"; the comparison is case-sensitive.
int MatchKeyboardIdentity(std::string_view identity);

}  // namespace z9rt

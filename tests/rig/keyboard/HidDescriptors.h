// The report descriptors of the gadget keyboard's two interfaces.
#pragma once

#include <cstdint>
#include <string>

namespace rig {

constexpr std::uint16_t kVendorId = 0x0483;

// Interface 0: a USB HID boot-protocol keyboard (modifier byte, a reserved byte, six
// key usages in; five LEDs out).
constexpr int kBootKeyboardReportSize = 8;
std::string BootKeyboardDescriptor();

// Interface 1: 64 vendor bytes in and 64 out, without report identifiers.
constexpr int kVendorReportSize = 64;
std::string VendorDescriptor();

}  // namespace rig

#include "channel/IdentityMatch.h"

#include "OrvoHWI.h"

#include <array>
#include <cstdio>

namespace z9rt {
namespace {

constexpr std::string_view kInterfaceMarker = "mi_01";
constexpr std::string_view kVendorMarker = "vid_";
constexpr std::string_view kProductMarker = "pid_";
constexpr std::string_view kVendorId = "0483";
constexpr std::size_t kIdLength = 4;

// Product identifiers in device type order: index + 1 is the type.
constexpr std::array<std::string_view, 4> kProductIds = {"502f", "512f", "522f", "532f"};
static_assert(kProductIds.size() == kDeviceTypePrsm, "one product identifier per device type");

// The four characters after the first occurrence of `marker`, or empty.
std::string_view IdAfter(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::string_view::npos || text.size() - at - marker.size() < kIdLength) {
        return {};
    }
    return text.substr(at + marker.size(), kIdLength);
}

}  // namespace

std::string IdentityText(std::uint16_t vendorId, std::uint16_t productId, int interfaceNumber) {
    char text[32];
    // A bus without interface numbers reports -1; its low byte never reads as "01".
    std::snprintf(text, sizeof text, "vid_%04x&pid_%04x&mi_%02x", vendorId, productId,
                  static_cast<unsigned>(interfaceNumber) & 0xFFu);
    return text;
}

int MatchKeyboardIdentity(std::string_view identity) {
    const std::size_t interfaceAt = identity.find(kInterfaceMarker, 1);
    if (interfaceAt == std::string_view::npos) {
        return kDeviceTypeNone;
    }
    if (IdAfter(identity, kVendorMarker) != kVendorId) {
        return kDeviceTypeNone;
    }
    const std::string_view product = IdAfter(identity, kProductMarker);
    for (std::size_t index = 0; index < kProductIds.size(); ++index) {
        if (product == kProductIds[index]) {
            return static_cast<int>(index) + 1;
        }
    }
    return kDeviceTypeNone;
}

}  // namespace z9rt

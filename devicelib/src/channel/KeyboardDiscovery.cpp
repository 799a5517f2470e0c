#include "channel/KeyboardDiscovery.h"

#include "channel/IdentityMatch.h"

namespace z9rt {

namespace {
int DeviceTypeOf(const HidInterfaceInfo& info) {
    return MatchKeyboardIdentity(IdentityText(info.vendorId, info.productId, info.interfaceNumber));
}
}  // namespace

std::optional<FoundKeyboard> FindKeyboard(const std::vector<HidInterfaceInfo>& interfaces) {
    for (const HidInterfaceInfo& info : interfaces) {
        if (const int type = DeviceTypeOf(info); type != 0) {
            return FoundKeyboard{info.path, type};
        }
    }
    return std::nullopt;
}

std::vector<FoundKeyboard> FindAllKeyboards(const std::vector<HidInterfaceInfo>& interfaces) {
    std::vector<FoundKeyboard> found;
    for (const HidInterfaceInfo& info : interfaces) {
        if (const int type = DeviceTypeOf(info); type != 0) {
            found.push_back(FoundKeyboard{info.path, type});
        }
    }
    return found;
}

}  // namespace z9rt

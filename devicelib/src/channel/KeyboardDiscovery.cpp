#include "channel/KeyboardDiscovery.h"

#include "channel/IdentityMatch.h"

namespace z9rt {

std::optional<FoundKeyboard> FindKeyboard(const std::vector<HidInterfaceInfo>& interfaces) {
    for (const HidInterfaceInfo& info : interfaces) {
        const int type = MatchKeyboardIdentity(
            IdentityText(info.vendorId, info.productId, info.interfaceNumber));
        if (type != 0) {
            return FoundKeyboard{info.path, type};
        }
    }
    return std::nullopt;
}

}  // namespace z9rt

// The backend for a real keyboard: hidapi on the hidraw nodes of the system.
#pragma once

#include "channel/HidConnection.h"

namespace z9rt {

class HidapiBackend final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;
};

}  // namespace z9rt

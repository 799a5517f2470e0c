// The backend for the simulated keyboard (Z9RT_HID=sim): it enumerates the keyboard's
// interfaces among a few of other devices and connects to the one simulated keyboard.
#pragma once

#include "channel/HidConnection.h"

namespace z9rt {

class SimulatedBackend final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;
};

}  // namespace z9rt

// The backend of Z9RT_HID=none, and of a refused Z9RT_HID: a machine without any HID device.
// Nothing enumerates and nothing opens, so no device is ever touched.
#pragma once

#include "channel/HidConnection.h"

namespace z9rt {

class NoKeyboardBackend final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<HidConnection> Open(const std::string& /*path*/) override { return nullptr; }
};

}  // namespace z9rt

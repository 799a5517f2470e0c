// The small interface between the library and a keyboard backend: what enumeration yields,
// and an open connection that writes and reads reports. The hidapi backend talks to a real
// keyboard, the simulated backend to the keyboard model inside the library; nothing above
// the channel knows which one runs.
#pragma once

#include "channel/Report.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace z9rt {

// One HID interface as enumeration reports it.
struct HidInterfaceInfo {
    std::string path;  // what Open takes
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    int interfaceNumber = -1;  // -1 when the bus has no interface numbers
};

enum class ReadOutcome {
    Report,   // a report arrived
    Timeout,  // nothing arrived within the wait
    Failed,   // the device is gone or the read failed
};

class HidConnection {
public:
    virtual ~HidConnection() = default;
    // Sends one output report (report identifier 0 and 64 payload bytes).
    [[nodiscard]] virtual bool Write(const OutputReport& report) = 0;
    // Waits at most `timeoutMs` for the next input report and hands back its payload.
    [[nodiscard]] virtual ReadOutcome Read(Payload& payload, int timeoutMs) = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every HID interface present, in the order the system lists them.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens one interface; null when it cannot be opened (absent, or held by another program).
    virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
};

}  // namespace z9rt

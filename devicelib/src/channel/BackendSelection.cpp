#include "channel/BackendSelection.h"

#include "channel/HidapiBackend.h"
#include "channel/TracingConnection.h"
#include "channel/sim/SimulatedBackend.h"

#include <cstdlib>
#include <cstring>

namespace z9rt {

HidBackend& ActiveBackend() {
    // Never destroyed, so that a facade in a static object can still close its connection
    // during the program's static destruction.
    static HidBackend* const hidapi = new HidapiBackend;
    static HidBackend* const simulated = new SimulatedBackend;
    const char* const choice = std::getenv("Z9RT_HID");
    if (choice != nullptr && std::strcmp(choice, "sim") == 0) {
        return *simulated;
    }
    return *hidapi;
}

std::unique_ptr<HidConnection> OpenConnection(const std::string& path) {
    std::unique_ptr<HidConnection> connection = ActiveBackend().Open(path);
    const char* const traceFile = std::getenv("Z9RT_HID_TRACE");
    if (connection != nullptr && traceFile != nullptr && *traceFile != '\0') {
        return std::make_unique<TracingConnection>(std::move(connection), traceFile);
    }
    return connection;
}

}  // namespace z9rt

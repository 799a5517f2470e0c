#include "channel/BackendSelection.h"

#include "OrvoHWI.h"
#include "channel/HidapiBackend.h"
#include "channel/NoKeyboardBackend.h"
#include "channel/TracingConnection.h"
#include "channel/sim/SimulatedBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

namespace z9rt {
namespace {

constexpr const char* kBackendVariable = "Z9RT_HID";  // named in messages

const char* BackendVariableValue() {
    return std::getenv("Z9RT_HID");
}

struct NamedChoice {
    const char* name;
    BackendChoice choice;
};
constexpr NamedChoice kChoices[] = {
    {"hidapi", BackendChoice::Hidapi},
    {"sim", BackendChoice::Simulated},
    {"none", BackendChoice::None},
};

// A refused value is reported once per process and value, not at every discovery (the
// program looks every second).
void ReportRefusedOnce(const char* value) {
    static std::mutex mutex;
    static std::set<std::string> reported;
    const std::lock_guard<std::mutex> lock(mutex);
    if (reported.insert(value).second) {
        std::fprintf(stderr, "%s\n", BackendVariableProblem(value).c_str());
    }
}

}  // namespace

std::optional<BackendChoice> ParseBackendChoice(const char* value) {
    if (value == nullptr || *value == '\0') {
        return BackendChoice::Hidapi;
    }
    for (const NamedChoice& named : kChoices) {
        if (std::strcmp(value, named.name) == 0) {
            return named.choice;
        }
    }
    return std::nullopt;
}

std::string BackendVariableProblem(const char* value) {
    if (ParseBackendChoice(value)) {
        return {};
    }
    std::string accepted;
    for (const NamedChoice& named : kChoices) {
        accepted += accepted.empty() ? "" : (&named == std::end(kChoices) - 1 ? " or " : ", ");
        accepted += named.name;
    }
    return std::string(kBackendVariable) + "=" + value + " names no keyboard backend (use " +
           accepted + ")";
}

HidBackend& ActiveBackend() {
    // Never destroyed, so that a facade in a static object can still close its connection
    // during the program's static destruction.
    static HidBackend* const hidapi = new HidapiBackend;
    static HidBackend* const simulated = new SimulatedBackend;
    static HidBackend* const noKeyboard = new NoKeyboardBackend;
    const char* const value = BackendVariableValue();
    const std::optional<BackendChoice> choice = ParseBackendChoice(value);
    if (!choice) {
        ReportRefusedOnce(value);
        return *noKeyboard;
    }
    switch (*choice) {
        case BackendChoice::Hidapi:
            return *hidapi;
        case BackendChoice::Simulated:
            return *simulated;
        case BackendChoice::None:
            break;
    }
    return *noKeyboard;
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

std::string KeyboardBackendProblem() {
    return z9rt::BackendVariableProblem(z9rt::BackendVariableValue());
}

#include "channel/sim/SimulatedBackend.h"

#include "channel/sim/SimulatedDevice.h"

#include <deque>

namespace z9rt {
namespace {

constexpr std::uint16_t kKeyboardVendor = 0x0483;
constexpr int kVendorInterface = 1;
const char* const kVendorInterfacePath = "sim:hidraw3";

// What shares the machine with the keyboard: a receiver of another vendor, a device of
// another vendor on interface 1, and the keyboard's own other interfaces.
constexpr std::uint16_t kOtherVendor = 0x046D;
constexpr std::uint16_t kOtherProduct = 0xC52B;
constexpr std::uint16_t kThirdVendor = 0x1A2C;
constexpr std::uint16_t kThirdProduct = 0x502F;  // the keyboard's product id, another vendor

class SimulatedConnection final : public HidConnection {
public:
    ~SimulatedConnection() override { sim::SimulatedDevice::Instance().Close(); }

    bool Write(const OutputReport& report) override {
        Payload payload;
        std::copy(report.begin() + 1, report.end(), payload.begin());
        return sim::SimulatedDevice::Instance().Receive(payload, answers_);
    }

    ReadOutcome Read(Payload& payload, int /*timeoutMs*/) override {
        if (!sim::SimulatedDevice::Instance().IsPresent()) {
            return ReadOutcome::Failed;
        }
        // The simulated keyboard answers only when spoken to, and all at once: when nothing
        // is queued, nothing will come, so the read gives up without spending the wait.
        if (answers_.empty()) {
            return ReadOutcome::Timeout;
        }
        payload = answers_.front();
        answers_.pop_front();
        return ReadOutcome::Report;
    }

private:
    std::deque<Payload> answers_;
};

}  // namespace

std::vector<HidInterfaceInfo> SimulatedBackend::Enumerate() {
    sim::SimulatedDevice& keyboard = sim::SimulatedDevice::Instance();
    std::vector<HidInterfaceInfo> interfaces = {
        {"sim:hidraw0", kOtherVendor, kOtherProduct, 2},
        {"sim:hidraw1", kThirdVendor, kThirdProduct, kVendorInterface},
    };
    if (keyboard.IsPresent()) {
        const std::uint16_t product = sim::ProductIdOfModel(keyboard.Model());
        interfaces.push_back({"sim:hidraw2", kKeyboardVendor, product, 0});
        interfaces.push_back({kVendorInterfacePath, kKeyboardVendor, product, kVendorInterface});
        interfaces.push_back({"sim:hidraw4", kKeyboardVendor, product, 2});
    }
    return interfaces;
}

std::unique_ptr<HidConnection> SimulatedBackend::Open(const std::string& path) {
    if (path != kVendorInterfacePath || !sim::SimulatedDevice::Instance().Open()) {
        return nullptr;
    }
    return std::make_unique<SimulatedConnection>();
}

}  // namespace z9rt

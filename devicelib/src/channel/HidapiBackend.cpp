#include "channel/HidapiBackend.h"

#include "channel/KeyboardLock.h"

#include <hidapi/hidapi.h>

#include <utility>

namespace z9rt {
namespace {

class HidapiConnection final : public HidConnection {
public:
    HidapiConnection(hid_device* device, std::unique_ptr<KeyboardLock> lock)
        : device_(device), lock_(std::move(lock)) {}
    ~HidapiConnection() override { hid_close(device_); }
    HidapiConnection(const HidapiConnection&) = delete;
    HidapiConnection& operator=(const HidapiConnection&) = delete;

    bool Write(const OutputReport& report) override {
        // Only failure counts: the number of bytes hidraw took is not examined.
        return hid_write(device_, report.data(), report.size()) >= 0;
    }

    ReadOutcome Read(Payload& payload, int timeoutMs) override {
        // hidraw hands back the payload alone, without the report identifier, because the
        // keyboard's interface uses no numbered reports.
        payload.fill(0);
        const int received = hid_read_timeout(device_, payload.data(), payload.size(), timeoutMs);
        if (received < 0) {
            return ReadOutcome::Failed;
        }
        return received == 0 ? ReadOutcome::Timeout : ReadOutcome::Report;
    }

private:
    hid_device* device_;
    std::unique_ptr<KeyboardLock> lock_;  // released after the device is closed
};

}  // namespace

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    hid_device_info* const list = hid_enumerate(0, 0);
    for (const hid_device_info* entry = list; entry != nullptr; entry = entry->next) {
        HidInterfaceInfo info;
        info.path = entry->path != nullptr ? entry->path : "";
        info.vendorId = entry->vendor_id;
        info.productId = entry->product_id;
        info.interfaceNumber = entry->interface_number;
        interfaces.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return interfaces;
}

std::unique_ptr<HidConnection> HidapiBackend::Open(const std::string& path) {
    auto lock = std::make_unique<KeyboardLock>(path);
    if (lock->Busy()) {
        return nullptr;
    }
    hid_device* const device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidapiConnection>(device, std::move(lock));
}

}  // namespace z9rt

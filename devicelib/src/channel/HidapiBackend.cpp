#include "channel/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <algorithm>

namespace z9rt {
namespace {

class HidapiConnection final : public HidConnection {
public:
    explicit HidapiConnection(hid_device* device) : device_(device) {}
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
    hid_device* const device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidapiConnection>(device);
}

}  // namespace z9rt

#include "channel/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace z9rt {
namespace {

// A keyboard talks with one program at a time: two programs' conversations on one keyboard
// would take each other's answers. Where the program first ran, the keyboard was opened with
// a share mode that refused a second writer; here the connection holds an exclusive lock on
// the node for as long as it is open, and a second program's open is refused as busy.
// Returns the descriptor that holds the lock, -1 when none could be taken (the node does not
// take locks: the keyboard is opened all the same), or kBusy.
constexpr int kBusy = -2;
int LockKeyboard(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? kBusy : -1;
    }
    return fd;
}

class HidapiConnection final : public HidConnection {
public:
    HidapiConnection(hid_device* device, int lockFd) : device_(device), lockFd_(lockFd) {}
    ~HidapiConnection() override {
        hid_close(device_);
        if (lockFd_ >= 0) {
            close(lockFd_);  // gives the keyboard to the next program
        }
    }
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
    int lockFd_;
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
    const int lockFd = LockKeyboard(path);
    if (lockFd == kBusy) {
        return nullptr;
    }
    hid_device* const device = hid_open_path(path.c_str());
    if (device == nullptr) {
        if (lockFd >= 0) {
            close(lockFd);
        }
        return nullptr;
    }
    return std::make_unique<HidapiConnection>(device, lockFd);
}

}  // namespace z9rt

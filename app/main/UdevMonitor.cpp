#include "UdevMonitor.h"

#include <libudev.h>

#include <sys/stat.h>

namespace {

// udevd re-announces the kernel's events once it has set the device up; where no udevd runs,
// only the kernel's own announcements arrive.
constexpr const char* kUdevControl = "/run/udev/control";

bool UdevdRuns() {
    struct stat control {};
    return stat(kUdevControl, &control) == 0;
}

class UdevMonitor : public DeviceAnnouncements {
public:
    UdevMonitor(udev* context, udev_monitor* monitor) : udev_(context), monitor_(monitor) {}
    ~UdevMonitor() override {
        udev_monitor_unref(monitor_);
        udev_unref(udev_);
    }
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    int socket() const override { return udev_monitor_get_fd(monitor_); }

    bool drain() override {
        bool any = false;
        while (udev_device* device = udev_monitor_receive_device(monitor_)) {
            udev_device_unref(device);
            any = true;
        }
        return any;
    }

private:
    udev* udev_;
    udev_monitor* monitor_;
};

}  // namespace

std::unique_ptr<DeviceAnnouncements> OpenUdevMonitor() {
    udev* context = udev_new();
    if (context == nullptr) {
        return nullptr;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, UdevdRuns() ? "udev" : "kernel");
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor != nullptr) {
            udev_monitor_unref(monitor);
        }
        udev_unref(context);
        return nullptr;
    }
    return std::make_unique<UdevMonitor>(context, monitor);
}

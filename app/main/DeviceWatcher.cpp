#include "DeviceWatcher.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <libudev.h>

namespace {

constexpr int kPollIntervalMs = 1000;
// udevd re-announces the kernel's events once it has set the device up; where no udevd runs,
// only the kernel's own announcements arrive.
constexpr const char* kUdevControl = "/run/udev/control";
// The device library's choice of keyboard: Z9RT_HID=sim is the simulated one.
constexpr const char* kBackendVariable = "Z9RT_HID";
constexpr const char* kSimulated = "sim";

}  // namespace

DeviceWatcher::DeviceWatcher(QObject* parent) : QObject(parent) {
    // The simulated keyboard comes and goes without the kernel knowing: it is looked for
    // every second, beside whatever the monitor reports of real devices.
    const bool simulated = qEnvironmentVariable(kBackendVariable) == QLatin1String(kSimulated);
    if (!openMonitor() || simulated) {
        poll_.setInterval(kPollIntervalMs);
        connect(&poll_, &QTimer::timeout, this, &DeviceWatcher::devicesChanged);
        poll_.start();
    }
}

DeviceWatcher::~DeviceWatcher() {
    delete notifier_;
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
    }
    if (udev_ != nullptr) {
        udev_unref(udev_);
    }
}

bool DeviceWatcher::openMonitor() {
    udev_ = udev_new();
    if (udev_ == nullptr) {
        return false;
    }
    const char* source = QFileInfo::exists(QString::fromLatin1(kUdevControl)) ? "udev" : "kernel";
    monitor_ = udev_monitor_new_from_netlink(udev_, source);
    if (monitor_ == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        if (monitor_ != nullptr) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
        return false;
    }
    notifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &DeviceWatcher::drainMonitor);
    return true;
}

void DeviceWatcher::drainMonitor() {
    bool changed = false;
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        udev_device_unref(device);
        changed = true;
    }
    if (changed) {
        emit devicesChanged();
    }
}

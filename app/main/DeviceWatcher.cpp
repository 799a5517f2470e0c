#include "DeviceWatcher.h"

#include <QSocketNotifier>

namespace {

constexpr const char* kBackendVariable = "Z9RT_HID";
constexpr const char* kSimulated = "sim";

}  // namespace

WatchedKeyboard KeyboardInUse() {
    return qEnvironmentVariable(kBackendVariable) == QLatin1String(kSimulated)
               ? WatchedKeyboard::Simulated
               : WatchedKeyboard::Real;
}

DeviceWatcher::DeviceWatcher(QObject* parent)
    : DeviceWatcher(KeyboardInUse(), OpenUdevMonitor(), parent) {}

DeviceWatcher::DeviceWatcher(WatchedKeyboard keyboard,
                             std::unique_ptr<DeviceAnnouncements> announcements, QObject* parent)
    : QObject(parent), announcements_(std::move(announcements)) {
    if (announcements_ != nullptr) {
        notifier_ = new QSocketNotifier(announcements_->socket(), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &DeviceWatcher::drainAnnouncements);
    }
    if (keyboard == WatchedKeyboard::Simulated || announcements_ == nullptr) {
        poll_.setInterval(kPollIntervalMs);
        connect(&poll_, &QTimer::timeout, this, &DeviceWatcher::devicesChanged);
        poll_.start();
    }
}

DeviceWatcher::~DeviceWatcher() {
    // The notifier goes before the socket it watches.
    delete notifier_;
}

void DeviceWatcher::drainAnnouncements() {
    if (announcements_->drain()) {
        emit devicesChanged();
    }
}

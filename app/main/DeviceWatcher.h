// Tells when devices come or go. A real keyboard is announced by the kernel: the libudev
// monitor alone tells of it, and nothing runs while nothing changes. The simulated keyboard
// comes and goes without the kernel knowing, so it is looked for every second; so is a real
// one where no monitor can be had.
#pragma once

#include "UdevMonitor.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

// Which keyboard the device library talks to.
enum class WatchedKeyboard { Real, Simulated };
// The device library's choice: Z9RT_HID=sim is the simulated keyboard.
WatchedKeyboard KeyboardInUse();

class DeviceWatcher : public QObject {
    Q_OBJECT

public:
    static constexpr int kPollIntervalMs = 1000;

    // Watches the keyboard in use through the libudev monitor.
    explicit DeviceWatcher(QObject* parent = nullptr);
    // Watches `keyboard` through `announcements` (null: none can be had).
    DeviceWatcher(WatchedKeyboard keyboard, std::unique_ptr<DeviceAnnouncements> announcements,
                  QObject* parent = nullptr);
    ~DeviceWatcher() override;

    // Whether announcements report the changes, and whether the one-second look runs.
    bool usesMonitor() const { return announcements_ != nullptr; }
    bool polls() const { return poll_.isActive(); }

signals:
    void devicesChanged();

private:
    void drainAnnouncements();

    std::unique_ptr<DeviceAnnouncements> announcements_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer poll_;
};

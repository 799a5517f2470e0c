// Tells when devices come or go: a libudev monitor of the hidraw and usb subsystems, or, where
// no monitor can be had and for the simulated keyboard (which the kernel never announces), a
// look every second.
#pragma once

#include <QObject>
#include <QTimer>

struct udev;
struct udev_monitor;
class QSocketNotifier;

class DeviceWatcher : public QObject {
    Q_OBJECT

public:
    explicit DeviceWatcher(QObject* parent = nullptr);
    ~DeviceWatcher() override;

    // Whether a udev monitor reports the changes, and whether the one-second look runs.
    bool usesMonitor() const { return monitor_ != nullptr; }
    bool polls() const { return poll_.isActive(); }

signals:
    void devicesChanged();

private:
    bool openMonitor();
    void drainMonitor();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    QTimer poll_;
};

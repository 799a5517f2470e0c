// The kernel's (or, where it runs, udevd's) announcements of hidraw and USB devices coming and
// going, read from a libudev monitor socket.
#pragma once

#include <memory>

// Announcements of devices coming and going, readable on a socket.
class DeviceAnnouncements {
public:
    virtual ~DeviceAnnouncements() = default;
    // The socket that becomes readable when announcements wait.
    virtual int socket() const = 0;
    // Reads every announcement that waits; true when there was at least one.
    virtual bool drain() = 0;
};

// The libudev monitor of the hidraw and usb subsystems; null where none can be had.
std::unique_ptr<DeviceAnnouncements> OpenUdevMonitor();

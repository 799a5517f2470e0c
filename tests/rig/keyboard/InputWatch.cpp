#include "InputWatch.h"

#include <linux/input.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace rig {
namespace {

int OpenDevice(const std::string& device) {
    const int fd = open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "%s: %s\n", device.c_str(), std::strerror(errno));
    }
    return fd;
}

}  // namespace

int WatchInput(const std::string& device, const volatile std::sig_atomic_t& stop) {
    const int fd = OpenDevice(device);
    if (fd < 0) {
        return 1;
    }
    std::printf("watching\n");
    std::fflush(stdout);
    while (stop == 0) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, -1) < 0) {
            continue;  // a signal: look at `stop` again
        }
        input_event event{};
        while (read(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event)) {
            if (event.type == EV_KEY) {
                std::printf("key %d %d\n", event.code, event.value);
                std::fflush(stdout);
            }
        }
    }
    close(fd);
    return 0;
}

int HoldGrab(const std::string& device, const volatile std::sig_atomic_t& stop) {
    const int fd = OpenDevice(device);
    if (fd < 0) {
        return 1;
    }
    if (ioctl(fd, EVIOCGRAB, 1) != 0) {
        std::fprintf(stderr, "%s: cannot grab: %s\n", device.c_str(), std::strerror(errno));
        close(fd);
        return 1;
    }
    std::printf("grabbed\n");
    std::fflush(stdout);
    while (stop == 0) {
        pause();
    }
    close(fd);  // closing gives the grab back
    return 0;
}

}  // namespace rig

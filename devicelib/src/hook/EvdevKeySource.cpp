#include "hook/EvdevKeySource.h"

#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace z9rt {
namespace {

constexpr std::string_view kEventDevicePrefix = "event";
constexpr int kGrab = 1;
constexpr int kRelease = 0;

bool HasBit(const std::vector<unsigned long>& bits, int bit) {
    constexpr int kBitsPerWord = static_cast<int>(sizeof(unsigned long) * 8);
    return (bits[static_cast<std::size_t>(bit / kBitsPerWord)] >> (bit % kBitsPerWord)) & 1UL;
}

// A device is a keyboard when it has letter keys and the space bar (power buttons, mice and
// media remotes report EV_KEY too).
bool IsKeyboard(int fd) {
    std::vector<unsigned long> keyBits(KEY_MAX / (sizeof(unsigned long) * 8) + 1, 0);
    const int keyBytes = static_cast<int>(keyBits.size() * sizeof(unsigned long));
    if (ioctl(fd, EVIOCGBIT(EV_KEY, keyBytes), keyBits.data()) < 0) {
        return false;
    }
    return HasBit(keyBits, KEY_A) && HasBit(keyBits, KEY_Z) && HasBit(keyBits, KEY_SPACE);
}

// Opens and grabs one event device; -1 when it is not a keyboard or cannot be had.
int OpenKeyboard(const std::filesystem::path& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (!IsKeyboard(fd) || ioctl(fd, EVIOCGRAB, kGrab) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::uint32_t NowMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

}  // namespace

std::unique_ptr<EvdevKeySource> EvdevKeySource::Start(const std::string& directory, Sink sink) {
    std::vector<int> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kEventDevicePrefix, 0) != 0) {
            continue;
        }
        const int fd = OpenKeyboard(entry.path());
        if (fd >= 0) {
            devices.push_back(fd);
        }
    }
    if (devices.empty()) {
        return nullptr;
    }
    const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        for (const int fd : devices) {
            (void)ioctl(fd, EVIOCGRAB, kRelease);  // closing releases the grab as well
            close(fd);
        }
        return nullptr;
    }
    return std::unique_ptr<EvdevKeySource>(
        new EvdevKeySource(std::move(devices), wakeFd, std::move(sink)));
}

EvdevKeySource::EvdevKeySource(std::vector<int> devices, int wakeFd, Sink sink)
    : devices_(std::move(devices)), wakeFd_(wakeFd), sink_(std::move(sink)) {
    thread_ = std::thread([this] { Run(); });
}

EvdevKeySource::~EvdevKeySource() {
    const std::uint64_t stop = 1;
    if (write(wakeFd_, &stop, sizeof stop) != static_cast<ssize_t>(sizeof stop)) {
        // An eventfd write only fails when its counter would overflow, which a single stop
        // cannot cause; the thread is joined all the same.
    }
    thread_.join();
    for (const int fd : devices_) {
        (void)ioctl(fd, EVIOCGRAB, kRelease);  // closing releases the grab as well
        close(fd);
    }
    close(wakeFd_);
}

void EvdevKeySource::Run() {
    std::vector<int> devices = devices_;
    while (true) {
        std::vector<pollfd> watched;
        watched.push_back({wakeFd_, POLLIN, 0});
        for (const int fd : devices) {
            watched.push_back({fd, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (watched[0].revents != 0) {
            return;
        }
        for (std::size_t index = 1; index < watched.size(); ++index) {
            if (watched[index].revents == 0) {
                continue;
            }
            input_event event{};
            ssize_t got = 0;
            while ((got = read(watched[index].fd, &event, sizeof event)) ==
                   static_cast<ssize_t>(sizeof event)) {
                if (event.type == EV_KEY) {
                    sink_(event.code, static_cast<KeyAction>(std::clamp(event.value, 0, 2)),
                          NowMs());
                }
            }
            if (got < 0 && errno != EAGAIN && errno != EINTR) {
                // The keyboard was unplugged: stop watching it (it is closed on destruction).
                devices.erase(std::remove(devices.begin(), devices.end(), watched[index].fd),
                              devices.end());
            }
        }
    }
}

std::unique_ptr<KeySource> StartKeySource(const std::string& where, KeySource::Sink sink) {
    return EvdevKeySource::Start(where, std::move(sink));
}

}  // namespace z9rt

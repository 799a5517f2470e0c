#include "BootKeyboard.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace rig {
namespace {

constexpr std::size_t kModifierByte = 0;
constexpr std::size_t kFirstKeyByte = 2;
// How long a key stays down: long enough for a host that polls every few milliseconds.
constexpr std::chrono::milliseconds kHold{30};

struct NamedUsage {
    const char* name;
    std::uint8_t usage;
};
// Usages of the keyboard page.
constexpr NamedUsage kKeys[] = {
    {"enter", 0x28}, {"esc", 0x29},   {"backspace", 0x2A}, {"tab", 0x2B},  {"space", 0x2C},
    {"minus", 0x2D}, {"right", 0x4F}, {"left", 0x50},      {"down", 0x51}, {"up", 0x52},
};
// Bits of the modifier byte.
constexpr NamedUsage kModifiers[] = {
    {"leftctrl", 0x01},  {"leftshift", 0x02},  {"leftalt", 0x04},  {"leftmeta", 0x08},
    {"rightctrl", 0x10}, {"rightshift", 0x20}, {"rightalt", 0x40}, {"rightmeta", 0x80},
};
constexpr std::uint8_t kUsageA = 0x04;
constexpr std::uint8_t kUsage1 = 0x1E;
constexpr std::uint8_t kUsage0 = 0x27;
constexpr std::uint8_t kUsageF1 = 0x3A;
constexpr int kFunctionKeys = 12;

std::optional<std::uint8_t> KeyUsage(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
        return static_cast<std::uint8_t>(kUsageA + (name[0] - 'a'));
    }
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '9') {
        return static_cast<std::uint8_t>(kUsage1 + (name[0] - '1'));
    }
    if (name == "0") {
        return kUsage0;
    }
    if (name.size() >= 2 && name[0] == 'f') {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= kFunctionKeys && name == "f" + std::to_string(number)) {
            return static_cast<std::uint8_t>(kUsageF1 + number - 1);
        }
    }
    for (const NamedUsage& key : kKeys) {
        if (name == key.name) {
            return key.usage;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<BootReport>> ChordReports(const std::string& chord) {
    BootReport press{};
    std::size_t next = kFirstKeyByte;
    std::istringstream names(chord);
    std::string name;
    while (std::getline(names, name, '+')) {
        bool modifier = false;
        for (const NamedUsage& candidate : kModifiers) {
            if (name == candidate.name) {
                press[kModifierByte] |= candidate.usage;
                modifier = true;
            }
        }
        if (modifier) {
            continue;
        }
        const std::optional<std::uint8_t> usage = KeyUsage(name);
        if (!usage || next == press.size()) {
            return std::nullopt;
        }
        press[next++] = *usage;
    }
    return std::vector<BootReport>{press, BootReport{}};
}

bool SendBootReports(int fd, const std::vector<BootReport>& reports, int waitMs) {
    for (const BootReport& report : reports) {
        pollfd writable{fd, POLLOUT, 0};
        if (poll(&writable, 1, waitMs) != 1 || (writable.revents & POLLOUT) == 0) {
            return false;
        }
        if (write(fd, report.data(), report.size()) != static_cast<ssize_t>(report.size())) {
            return false;
        }
        std::this_thread::sleep_for(kHold);
    }
    return true;
}

}  // namespace rig

// Finding the keyboard among the HID interfaces: the first interface, in enumeration order,
// whose identity text matches.
#pragma once

#include "channel/HidConnection.h"

#include <optional>
#include <vector>

namespace z9rt {

struct FoundKeyboard {
    std::string path;
    int deviceType = 0;  // 1..4
};

std::optional<FoundKeyboard> FindKeyboard(const std::vector<HidInterfaceInfo>& interfaces);

// Every matching interface, in enumeration order.
std::vector<FoundKeyboard> FindAllKeyboards(const std::vector<HidInterfaceInfo>& interfaces);

}  // namespace z9rt

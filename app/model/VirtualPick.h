// What the virtual keyboard returns: the HW codes of the keys picked.
#pragma once

#include <array>

namespace model {

// Number of keys the virtual keyboard picks for a combination.
constexpr int kVirtualComboSize = 6;

struct VirtualPick {
    int single = 0;                              // single mode; 0: no key (-1 given: none either)
    std::array<int, kVirtualComboSize> combo{};  // combination mode, in the order chosen
    int comboCount = 0;
};

}  // namespace model

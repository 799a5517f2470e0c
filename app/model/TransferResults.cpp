// Storing what a transfer job read from the keyboard into the configuration, on the thread that
// owns it.
#include "model/KeyboardConfig.h"

#include <cstddef>

namespace model {

void CKeyboardConfig::ApplyKeyAssignments(const std::vector<KeyReadBack>& slots) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const std::size_t slot = KeySlotIndex(layer, key);
            if (slot < slots.size()) {
                ApplyKeyReadBack(*this, key, layer, slots[slot]);
            }
        }
    }
}

void CKeyboardConfig::ApplyLightColors(const std::array<int, kLightAreaSize>& colors) {
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const std::size_t first = FirstLightIndex(key);
        lightColor[static_cast<std::size_t>(key)] = {colors[first], colors[first + 1],
                                                     colors[first + 2]};
    }
}

void CKeyboardConfig::ApplyPressCounters(const KeyboardCounts& counters) {
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        pressCounter[static_cast<std::size_t>(key)] =
            counters[static_cast<std::size_t>(key - kFirstKeyNumber)];
    }
    // Both candidates start at key 1; a tie for the highest keeps the lower key number, and
    // the lowest counts only positive counters.
    int highest = kFirstKeyNumber;
    int lowest = kFirstKeyNumber;
    auto counter = [this](int key) { return pressCounter[static_cast<std::size_t>(key)]; };
    for (int key = kFirstKeyNumber + 1; key <= kLastKeyNumber; ++key) {
        if (counter(key) > counter(highest)) {
            highest = key;
        }
        if (counter(key) > 0 && (counter(key) < counter(lowest) || counter(lowest) <= 0)) {
            lowest = key;
        }
    }
    highestKey = counter(highest) > 0 ? highest : -1;
    lowestKey = counter(lowest) > 0 ? lowest : -1;
}

}  // namespace model

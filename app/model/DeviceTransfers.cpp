// The conversions between the configuration and the device library's arrays, run by the
// transfer jobs on their worker thread.
#include "model/KeyboardConfig.h"

#include <algorithm>
#include <cstddef>

namespace {

std::size_t SlotOf(int layer, int key) {
    return static_cast<std::size_t>(layer * kKeyCount + (key - kFirstKeyNumber));
}

}  // namespace

bool CKeyboardConfig::WriteKeyAssignments(WindowHandle window) {
    // prepare always succeeds and setKeyConfiguration reports false whatever happens (the
    // library only fills its own table): the transfer's result is the one that tells.
    static_cast<void>(device.prepare());
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            const std::vector<int> array =
                EncodeKeyAssignment(keyMode[k][l], keyHWCode[k][l], keyList[k][l], *this);
            if (array.empty()) {
                continue;  // not set: travels as an empty slot
            }
            static_cast<void>(device.setKeyConfiguration(layer, key, array.data(),
                                                         static_cast<int>(array.size())));
        }
    }
    return device.writeKeyConfigurationToDev(window);
}

std::optional<std::vector<KeyReadBack>> CKeyboardConfig::FetchKeyAssignments(WindowHandle window) {
    if (!device.readKeyDefinationFromDev(window)) {
        return std::nullopt;
    }
    std::vector<KeyReadBack> slots(kKeySlotCount);
    std::vector<int> array(kKeyConfigurationCapacity);
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            // Fresh zeros for every key, so nothing of the previous key's definition can be
            // taken for this one's.
            std::fill(array.begin(), array.end(), 0);
            // getKeyConfiguration reports true for every slot of an open facade; a closed one
            // leaves the zeros, which read as a key that is not set.
            static_cast<void>(
                device.getKeyConfiguration(layer, key, array.data(), kKeyConfigurationCapacity));
            slots[SlotOf(layer, key)] = DecodeKeyDefinition(array.data(), array.size(), *this);
        }
    }
    return slots;
}

void CKeyboardConfig::ApplyKeyAssignments(const std::vector<KeyReadBack>& slots) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const std::size_t slot = SlotOf(layer, key);
            if (slot < slots.size()) {
                ApplyKeyReadBack(*this, key, layer, slots[slot]);
            }
        }
    }
}

bool CKeyboardConfig::ReadKeyAssignments(WindowHandle window) {
    std::optional<std::vector<KeyReadBack>> slots = FetchKeyAssignments(window);
    if (!slots) {
        return false;
    }
    ApplyKeyAssignments(*slots);
    return true;
}

bool CKeyboardConfig::WriteLightColors() {
    std::array<int, kLightAreaSize> colors{};
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor& color = lightColor[static_cast<std::size_t>(key)];
        const auto first = static_cast<std::size_t>(3 * (key - kFirstKeyNumber));
        colors[first] = color.Red;
        colors[first + 1] = color.Green;
        colors[first + 2] = color.Blue;
    }
    return device.setKeyboardLightArea(colors.data());
}

std::optional<std::array<int, kLightAreaSize>> CKeyboardConfig::FetchLightColors() {
    if (!device.readKeyLightFromDev()) {
        return std::nullopt;
    }
    std::array<int, kLightAreaSize> colors{};
    // Copies the library's area; it does not talk to the keyboard and cannot fail.
    static_cast<void>(device.getKeyboardLightArea(colors.data()));
    return colors;
}

void CKeyboardConfig::ApplyLightColors(const std::array<int, kLightAreaSize>& colors) {
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const auto first = static_cast<std::size_t>(3 * (key - kFirstKeyNumber));
        lightColor[static_cast<std::size_t>(key)] = {colors[first], colors[first + 1],
                                                     colors[first + 2]};
    }
}

bool CKeyboardConfig::ReadLightColors() {
    const std::optional<std::array<int, kLightAreaSize>> colors = FetchLightColors();
    if (!colors) {
        return false;
    }
    ApplyLightColors(*colors);
    return true;
}

std::optional<KeyboardCounts> CKeyboardConfig::FetchPressCounters() {
    std::array<int, kCounterCount> bits{};
    if (!device.getPressCounterFromDev(bits.data())) {
        return std::nullopt;  // the library's earlier counters are not this read's
    }
    KeyboardCounts counts{};
    std::transform(bits.begin(), bits.end(), counts.begin(),
                   [](int value) { return static_cast<std::uint32_t>(value); });
    return counts;
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

bool CKeyboardConfig::ReadPressCounters() {
    const std::optional<KeyboardCounts> counters = FetchPressCounters();
    if (!counters) {
        return false;
    }
    ApplyPressCounters(*counters);
    return true;
}

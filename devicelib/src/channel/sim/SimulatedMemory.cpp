#include "channel/sim/SimulatedMemory.h"

#include "channel/sim/KeyboardProtocol.h"
#include "keydefine/KeyRecord.h"

#include <algorithm>
#include <cmath>

namespace z9rt::sim {
namespace {

// The default HW codes of the first model, by key number 1..82 (index 0 belongs to no key):
// the layer without Fn, and the two Fn layers, which are equal.
constexpr std::array<std::uint8_t, kLastKey + 1> kPlainLayerCodes = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 84, 14,  15, 16, 17, 18, 19,
    20, 21, 22, 23, 24, 25, 26, 27, 82, 28, 29, 30, 31, 32, 33, 34,  35, 36, 37, 38, 39,
    40, 41, 83, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54,  86, 55, 56, 57, 58,
    59, 60, 61, 62, 63, 64, 65, 66, 87, 85, 67, 68, 69, 70, 71, 156, 74, 88, 89, 90};
constexpr std::array<std::uint8_t, kLastKey + 1> kFnLayerCodes = {
    0,   0,   112, 114, 113, 110, 109, 111, 108, 149, 168, 169, 170, 167, 159, 136, 148,
    138, 139, 141, 137, 0,   94,  95,  96,  92,  91,  79,  0,   78,  0,   158, 128, 157,
    0,   0,   0,   97,  98,  99,  93,  174, 175, 0,   80,  0,   126, 129, 127, 0,   171,
    0,   100, 101, 102, 105, 0,   0,   81,  0,   130, 132, 131, 0,   172, 0,   103, 203,
    104, 106, 0,   145, 0,   152, 153, 155, 140, 0,   156, 0,   143, 144, 142};

struct KeyRange {
    int first;
    int last;
};

// Keys whose Fn-layer defaults are 0 on the other models.
constexpr KeyRange kSBleWithoutFn[] = {{15, 20}, {76, 76}, {80, 80}, {82, 82}};
constexpr KeyRange kSWithoutFn[] = {{10, 13}, {15, 20}, {50, 50}, {64, 64},
                                    {76, 76}, {80, 80}, {82, 82}};
constexpr KeyRange kPrsmWithoutFn[] = {{10, 13}, {50, 50}, {64, 64}};

template <std::size_t N>
bool InRanges(const KeyRange (&ranges)[N], int key) {
    return std::any_of(std::begin(ranges), std::end(ranges), [key](const KeyRange& range) {
        return key >= range.first && key <= range.last;
    });
}

bool FnDefaultCleared(int model, int key) {
    switch (model) {
        case 2:
            return InRanges(kSBleWithoutFn, key);
        case 3:
            return InRanges(kSWithoutFn, key);
        case 4:
            return InRanges(kPrsmWithoutFn, key);
        default:
            return false;
    }
}

std::uint8_t DefaultHWCode(int model, int layerNumber, int key) {
    if (layerNumber == kFirstLayerNumber) {
        return kPlainLayerCodes[static_cast<std::size_t>(key)];
    }
    return FnDefaultCleared(model, key) ? 0 : kFnLayerCodes[static_cast<std::size_t>(key)];
}

// Key k's colour: the hue walks once round the colour circle over the keyboard.
std::array<std::uint8_t, 3> RainbowColour(int key) {
    const double hue = 6.0 * (key - kFirstKey) / kLastKey;  // 0..6
    const double rise = hue - std::floor(hue);
    const auto level = [](double share) {
        return static_cast<std::uint8_t>(std::lround(share * 255));
    };
    switch (static_cast<int>(hue)) {
        case 0:
            return {255, level(rise), 0};
        case 1:
            return {level(1 - rise), 255, 0};
        case 2:
            return {0, 255, level(rise)};
        case 3:
            return {0, level(1 - rise), 255};
        case 4:
            return {level(rise), 0, 255};
        default:
            return {255, 0, level(1 - rise)};
    }
}

// A well-used keyboard: a few thousand presses per key, some keys far more, Fn never.
std::uint32_t PlausibleCounter(int key) {
    constexpr int kFnKey = 78;
    if (key == kFnKey) {
        return 0;
    }
    return static_cast<std::uint32_t>((key * 7919) % 4000 + 120 + (key % 7 == 0 ? 25000 : 0));
}

}  // namespace

Payload DefaultKeyRecord(int layerNumber, int key, std::uint8_t hwCode) {
    return protocol::KeysTogetherRecord(
        layerNumber, key, hwCode != 0 ? std::vector<int>{hwCode} : std::vector<int>{});
}

KeyboardMemory FactoryMemory(int model) {
    KeyboardMemory memory;
    memory.model = std::clamp(model, kFirstModel, kLastModel);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int layerNumber = LayerNumberOfSlot(slot);
        const int key = KeyOfSlot(slot);
        memory.keyRecords[static_cast<std::size_t>(slot)] = {
            DefaultKeyRecord(layerNumber, key, DefaultHWCode(memory.model, layerNumber, key))};
    }
    for (int key = kFirstKey; key <= kLastKey; ++key) {
        const std::array<std::uint8_t, 3> colour = RainbowColour(key);
        std::copy(colour.begin(), colour.end(),
                  memory.light.begin() + static_cast<std::ptrdiff_t>((key - kFirstKey) * 3));
        memory.counters[static_cast<std::size_t>(key - kFirstKey)] = PlausibleCounter(key);
    }
    return memory;
}

std::string VersionText(int model) {
    switch (model) {
        case 2:
            return "Z9RT(S)Ble V2.15 SIM";
        case 3:
            return "Z9RT(S) V1.42 SIM";
        case 4:
            return "Z9RT(PRSM) V1.60 SIM";
        default:
            return "Z9RT(PRSM)Ble V2.31 SIM";
    }
}

std::uint16_t ProductIdOfModel(int model) {
    constexpr std::array<std::uint16_t, kLastModel> kProductIds = {0x502F, 0x512F, 0x522F, 0x532F};
    return kProductIds[static_cast<std::size_t>(std::clamp(model, kFirstModel, kLastModel) - 1)];
}

}  // namespace z9rt::sim

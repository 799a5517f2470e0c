// What the simulated keyboard holds: its key records as written, its light area, its press
// counters and the firmware lines it took.
#pragma once

#include "channel/Report.h"
#include "keydefine/COrvo.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace z9rt::sim {

constexpr int kFirstModel = 1;
constexpr int kLastModel = 4;

struct KeyboardMemory {
    int model = kFirstModel;
    std::array<std::vector<Payload>, kSlotCount> keyRecords;  // per slot, in the order written
    LightArea light{};
    std::array<std::uint32_t, kLastKey> counters{};        // counter of key k at k − 1
    std::vector<std::vector<std::uint8_t>> firmwareLines;  // accepted lines, decoded
    long firmwareLinesAccepted = 0;
    long firmwareLinesRefused = 0;
};

// A factory-fresh keyboard of `model` 1..4: the model's default keys (one kind 0 record per
// slot holding the default HW code, or no code where the default is 0), a rainbow of colours
// and plausible counters.
KeyboardMemory FactoryMemory(int model);

// The record the program writes for a key with one HW code (none when `hwCode` is 0).
Payload DefaultKeyRecord(int layerNumber, int key, std::uint8_t hwCode);

// The version text each model answers with.
std::string VersionText(int model);

// The product identifier each model enumerates with.
std::uint16_t ProductIdOfModel(int model);

}  // namespace z9rt::sim

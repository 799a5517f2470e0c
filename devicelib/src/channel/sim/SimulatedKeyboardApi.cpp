// The exported control of the simulated keyboard (SimulatedKeyboard.h).
#include "SimulatedKeyboard.h"
#include "channel/sim/SimulatedDevice.h"
#include "keydefine/KeyRecord.h"

#include <cstdio>

namespace z9rt::sim {
namespace {

SimulatedDevice& Keyboard() {
    return SimulatedDevice::Instance();
}

bool IsValidPosition(int layer, int key) {
    return IsValidLayerNumber(layer + 1) && IsValidKey(key);
}

}  // namespace

void ResetSimulatedKeyboard(int model) {
    Keyboard().Reset(model);
}

bool SetSimulatedKeyboardFaults(const std::string& faults) {
    std::string error;
    if (!Keyboard().SetFaults(faults, error)) {
        std::fprintf(stderr, "SetSimulatedKeyboardFaults: %s\n", error.c_str());
        return false;
    }
    return true;
}

void UseSimulatedStateFile(const std::string& path) {
    Keyboard().UseStateFile(path);
}

SimulatedKeyboardState ReadSimulatedKeyboard() {
    const KeyboardMemory memory = Keyboard().Memory();
    SimulatedKeyboardState state;
    state.model = memory.model;
    for (const std::vector<Payload>& records : memory.keyRecords) {
        state.keyRecords.emplace_back(records.begin(), records.end());
    }
    state.light.assign(memory.light.begin(), memory.light.end());
    state.counters.assign(memory.counters.begin(), memory.counters.end());
    state.firmwareLines = memory.firmwareLines;
    state.firmwareLinesAccepted = memory.firmwareLinesAccepted;
    state.firmwareLinesRefused = memory.firmwareLinesRefused;
    state.reportsSeen = Keyboard().ReportsSeen();
    state.recordProblems = Keyboard().RecordProblems();
    return state;
}

void SetSimulatedKeyRecords(int layer, int key, const std::vector<KeyRecordBytes>& records) {
    if (!IsValidPosition(layer, key)) {
        return;
    }
    Keyboard().ChangeMemory([&](KeyboardMemory& memory) {
        memory.keyRecords[static_cast<std::size_t>(SimulatedSlot(layer, key))].assign(
            records.begin(), records.end());
    });
}

void SetSimulatedLight(int key, int red, int green, int blue) {
    if (!IsValidKey(key)) {
        return;
    }
    Keyboard().ChangeMemory([&](KeyboardMemory& memory) {
        const std::size_t at = static_cast<std::size_t>(key - kFirstKey) * 3;
        memory.light[at] = static_cast<std::uint8_t>(red);
        memory.light[at + 1] = static_cast<std::uint8_t>(green);
        memory.light[at + 2] = static_cast<std::uint8_t>(blue);
    });
}

void SetSimulatedCounter(int key, std::uint32_t count) {
    if (!IsValidKey(key)) {
        return;
    }
    Keyboard().ChangeMemory([&](KeyboardMemory& memory) {
        memory.counters[static_cast<std::size_t>(key - kFirstKey)] = count;
    });
}

}  // namespace z9rt::sim

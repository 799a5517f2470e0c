// Control of the simulated keyboard from inside a process, for tests and tools that link the
// device library. From outside a process the same keyboard is configured with environment
// variables: Z9RT_HID=sim selects it, Z9RT_SIM_MODEL, Z9RT_SIM_STATE and Z9RT_SIM_FAULT shape
// it (see the README).
//
// Layers here are numbered 0..2 as at the facade; slot = layer × 82 + key − 1.
#pragma once

#include "OrvoHWI.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace z9rt::sim {

using KeyRecordBytes = std::array<std::uint8_t, 64>;  // one key record, payload bytes 0..63

constexpr int SimulatedSlot(int layer, int key) {
    return layer * kKeyCount + key - 1;
}

// What the simulated keyboard holds.
struct SimulatedKeyboardState {
    int model = 1;                                         // device type 1..4
    std::vector<std::vector<KeyRecordBytes>> keyRecords;   // per slot, as written
    std::vector<std::uint8_t> light;                       // 246: red, green, blue per key
    std::vector<std::uint32_t> counters;                   // 82: key k's counter at k − 1
    std::vector<std::vector<std::uint8_t>> firmwareLines;  // lines taken (decoded), this run
    long firmwareLinesAccepted = 0;                        // lines taken, state file included
    long firmwareLinesRefused = 0;                         // lines with a bad checksum
    long reportsSeen = 0;                                  // reports received since the reset
    // Key records the keyboard could not make sense of since the reset, as "layer L key K:
    // what is wrong" (a count beyond the record, a macro's records that disagree, ...).
    std::vector<std::string> recordProblems;
};

// Makes the keyboard a factory-fresh one of `model` (1..4): default keys, colours and
// counters, no faults, no reports seen. Writes the state file when one is in use.
Z9RT_API void ResetSimulatedKeyboard(int model);

// Sets the faults, in the syntax of Z9RT_SIM_FAULT ("busy", "silent", "unplug-after=N",
// "drop=N", "noise", "malformed", comma-separated; "" clears them). unplug-after and drop count
// from this call.
// False, and nothing changes, when a word is not a fault.
Z9RT_API bool SetSimulatedKeyboardFaults(const std::string& faults);

// Keeps the keyboard's memory in `path` from now on (loading it when it exists); "" keeps it
// in memory only.
Z9RT_API void UseSimulatedStateFile(const std::string& path);

// A copy of what the keyboard holds now.
Z9RT_API SimulatedKeyboardState ReadSimulatedKeyboard();

// Puts records into one slot (layer 0..2, key 1..82), as if the program had written them.
Z9RT_API void SetSimulatedKeyRecords(int layer, int key,
                                     const std::vector<KeyRecordBytes>& records);
// Sets key 1..82's colour (each 0..255) or press counter.
Z9RT_API void SetSimulatedLight(int key, int red, int green, int blue);
Z9RT_API void SetSimulatedCounter(int key, std::uint32_t count);

}  // namespace z9rt::sim

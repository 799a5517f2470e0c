// Conversions between one key's assignment in the configuration and the integer array through
// which the device library takes and gives key definitions.
//
// Array layouts, by the selector in element 0:
//   0  keys pressed together:  0, n, code x n
//   1  repeated keys:          1, interval, n, code x n
//   2  macro:                  2, play mode, cycles, delays flag, interval, n,
//                              then n codes (flag 0) or code, delay, code, ..., code (flag 1)
#pragma once

#include "model/CodeTables.h"
#include "model/ItemList.h"
#include "model/KeyboardProfile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace model {

namespace keyarray {

constexpr int kSelectorKeys = 0;
constexpr int kSelectorRepeated = 1;
constexpr int kSelectorMacro = 2;

// Element positions.
constexpr std::size_t kSelector = 0;
constexpr std::size_t kKeysCount = 1;
constexpr std::size_t kKeysFirstCode = 2;
constexpr std::size_t kRepeatedInterval = 1;
constexpr std::size_t kRepeatedCount = 2;
constexpr std::size_t kRepeatedFirstCode = 3;
constexpr std::size_t kMacroPlayMode = 1;
constexpr std::size_t kMacroCycles = 2;
constexpr std::size_t kMacroDelaysFlag = 3;
constexpr std::size_t kMacroInterval = 4;
constexpr std::size_t kMacroEventCount = 5;
constexpr std::size_t kMacroFirstEvent = 6;

// What one 64-byte key record can carry (the library's limits, which callers respect).
constexpr int kMaxKeysCodes = 58;
constexpr int kMaxRepeatedCodes = 56;
// A macro's byte count (its events, or 4 bytes per event with delays) fits in 16 bits.
constexpr int kMaxMacroBytes = 65535;
constexpr int kMacroBytesPerDelayedEvent = 4;

}  // namespace keyarray

// Where a key's slot lies in the library's key table (layer by layer), and its red value in the
// library's light area (red, green, blue per key).
constexpr std::size_t KeySlotIndex(int layer, int key) {
    return static_cast<std::size_t>(layer * kKeyCount + (key - kFirstKeyNumber));
}
constexpr std::size_t FirstLightIndex(int key) {
    return static_cast<std::size_t>(3 * (key - kFirstKeyNumber));
}

// The counters of keys 1..82 as the keyboard counts them.
using KeyboardCounts = std::array<std::uint32_t, kCounterCount>;

// The array for one key's assignment; empty when the key is not set (kind 0 or below), which
// the write skips. Items are turned into HW codes with HWCodeOfName; a double click (HW code
// 199) becomes two codes 130. Content beyond what a key record can carry is cut off; a macro's
// delays are clamped to 0..65535 ms.
std::vector<int> EncodeKeyAssignment(int kind, int hwCode, const CItemList& list,
                                     const CKeyCodeTables& codes);

// The array of one key on one layer, as a key write hands it to the device library.
struct EncodedKeySlot {
    int layer = 0;
    int key = 0;
    std::vector<int> array;
};

// The arrays of every key that is set, layer by layer and key by key; keys that are not set
// have none (the write sends them as empty slots).
std::vector<EncodedKeySlot> EncodeKeySlots(const CKeyboardProfile& profile,
                                           const CKeyCodeTables& codes);

// One key's assignment as read back from the keyboard. A form with a content list leaves the
// key's HW code as it was; a single-code form leaves the key's list as it was.
struct KeyReadBack {
    int kind = KindNotSet;
    std::optional<int> hwCode;
    std::optional<CItemList> list;
};

// Decodes an array the library filled. `capacity` is the array's size in elements; counts
// that would reach beyond it are cut to what the array holds.
KeyReadBack DecodeKeyDefinition(const int* array, std::size_t capacity,
                                const CKeyCodeTables& codes);

// Stores a read-back assignment into the profile.
void ApplyKeyReadBack(CKeyboardProfile& profile, int key, int layer, const KeyReadBack& readBack);

}  // namespace model

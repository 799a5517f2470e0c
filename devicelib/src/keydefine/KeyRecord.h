// The key record: the 64-byte unit in which key definitions travel to the keyboard and back.
// Every record starts with 0x00, 0xF0, layer number (1..3), key number (1..82) and kind.
#pragma once

#include "channel/Report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace z9rt {

constexpr std::size_t kRecordSize = kPayloadSize;

// Kinds of definition, as byte 4 of a record carries them.
enum class RecordKind : std::uint8_t {
    Normal = 0,          // codes sent together
    Continous = 1,       // codes played one after another at an interval
    MacroTimes = 2,      // macro played `cycles` times
    MacroWhileHeld = 3,  // macro played while the key is held
    MacroToggle = 4,     // macro started and stopped by presses
};
constexpr int kHighestKind = static_cast<int>(RecordKind::MacroToggle);
constexpr int kFirstMacroKind = static_cast<int>(RecordKind::MacroTimes);

namespace record {

// The header every record carries.
constexpr std::size_t kLayer = 2;
constexpr std::size_t kKey = 3;
constexpr std::size_t kKind = 4;

// Kind 0: count, then one byte per code.
constexpr std::size_t kNormalCount = 5;
constexpr std::size_t kNormalCodes = 6;
constexpr std::size_t kNormalMaxCodes = kRecordSize - kNormalCodes;  // 58
static_assert(kNormalMaxCodes == 58, "a kind 0 record holds 58 codes");

// Kind 1: interval (high, low), count, then one byte per code.
constexpr std::size_t kContinousIntervalHigh = 5;
constexpr std::size_t kContinousIntervalLow = 6;
constexpr std::size_t kContinousCount = 7;
constexpr std::size_t kContinousCodes = 8;
constexpr std::size_t kContinousMaxCodes = kRecordSize - kContinousCodes;  // 56
static_assert(kContinousMaxCodes == 56, "a kind 1 record holds 56 codes");

// Kinds 2..4: an eleven-byte header in every record of the macro, then 53 body bytes.
constexpr std::size_t kMacroCycles = 5;
constexpr std::size_t kMacroDelaysFlag = 6;
constexpr std::size_t kMacroIntervalHigh = 7;
constexpr std::size_t kMacroIntervalLow = 8;
constexpr std::size_t kMacroBodyLengthHigh = 9;  // B, the whole body's length
constexpr std::size_t kMacroBodyLengthLow = 10;
constexpr std::size_t kMacroBody = 11;
constexpr std::size_t kMacroBodyPerRecord = kRecordSize - kMacroBody;  // 53
static_assert(kMacroBodyPerRecord == 53, "a macro record carries 53 body bytes");

// With per-event delays each event takes four body bytes: code, marker, delay high, low.
constexpr std::size_t kDelayedEventBytes = 4;
constexpr std::uint8_t kDelayMarker = 0xC8;
constexpr std::size_t kLongestBody = 0xFFFF;  // B travels in two bytes

}  // namespace record

// Layer numbers 1..3 and key numbers 1..82, as records carry them.
constexpr int kFirstLayerNumber = 1;
constexpr int kLastLayerNumber = 3;
constexpr int kFirstKey = 1;
constexpr int kLastKey = 82;
constexpr int kSlotCount = (kLastLayerNumber - kFirstLayerNumber + 1) * kLastKey;  // 246
static_assert(kSlotCount == 246, "three layers of 82 keys");

constexpr bool IsValidLayerNumber(int layerNumber) {
    return layerNumber >= kFirstLayerNumber && layerNumber <= kLastLayerNumber;
}
constexpr bool IsValidKey(int key) {
    return key >= kFirstKey && key <= kLastKey;
}
// Slot (L − 1) × 82 + (K − 1) of layer number L and key K.
constexpr int SlotOf(int layerNumber, int key) {
    return (layerNumber - kFirstLayerNumber) * kLastKey + (key - kFirstKey);
}
constexpr int LayerNumberOfSlot(int slot) {
    return slot / kLastKey + kFirstLayerNumber;
}
constexpr int KeyOfSlot(int slot) {
    return slot % kLastKey + kFirstKey;
}
static_assert(SlotOf(3, 82) == 245 && SlotOf(1, 1) == 0, "slot numbering");

// The number of records a macro body of `bodyLength` bytes takes; an empty body still
// travels as one record (its header).
constexpr int MacroRecordCount(std::size_t bodyLength) {
    return std::max<int>(1, static_cast<int>((bodyLength + record::kMacroBodyPerRecord - 1) /
                                             record::kMacroBodyPerRecord));
}

// Two-byte big-endian fields.
constexpr std::uint8_t HighByte(int value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
constexpr std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
constexpr int BigEndian16(const std::uint8_t* bytes) {
    return bytes[0] * 256 + bytes[1];
}

// The macro body length B a record announces.
inline std::size_t MacroBodyLength(const Payload& keyRecord) {
    return static_cast<std::size_t>(BigEndian16(&keyRecord[record::kMacroBodyLengthHigh]));
}

// A record's header: 0x00, 0xF0, layer, key, kind; all else zero.
Payload MakeRecordHeader(int layerNumber, int key, int kind);

}  // namespace z9rt

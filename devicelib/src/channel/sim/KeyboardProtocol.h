// The report protocol as the keyboard speaks it: how it reads the requests and key records the
// configurator sends, and how it words its answers. It is written from the keyboard's side,
// apart from the library's encoder and decoder and with its own byte positions, so that a
// fault on either side shows up as a disagreement instead of passing both. The simulated
// keyboard and the USB gadget keyboard of the kernel rig both speak through it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace z9rt::sim::protocol {

// One report's 64 bytes, without the report identifier.
using Bytes = std::array<std::uint8_t, 64>;

// What byte 1 of a report from the configurator asks for.
enum class Request : std::uint8_t {
    Version = 0xF9,          // answer one report with the version text from byte 2 on
    KeyWriteStart = 0xF1,    // key records follow
    KeyRecord = 0xF0,        // one record of one key's definition
    KeyWriteEnd = 0xF6,      // the last key record was sent
    KeyRead = 0xF2,          // stream every key record, then 64 bytes 0xF6
    LightWriteStart = 0xE1,  // light chunks follow
    LightChunk = 0xE0,       // the next piece of the 246 colour bytes
    StreamEnd = 0xE6,        // the last light chunk was sent
    LightRead = 0xE2,        // stream the colour bytes in chunks, then 64 bytes 0xE6
    CounterRead = 0xE3,      // stream the counters in chunks of the same command, then the end
    FirmwareLine = 0x3A,     // one decoded line of a firmware file
};
std::optional<Request> RequestOf(const Bytes& report);

// Where a key lives: layer number 1..3, key number 1..82, and the slot both make,
// (layer − 1) × 82 + key − 1.
constexpr int kLayers = 3;
constexpr int kKeys = 82;
constexpr int kSlots = kLayers * kKeys;
constexpr int SlotOfKey(int layerNumber, int key) {
    return (layerNumber - 1) * kKeys + key - 1;
}

// The slot a key record names (its bytes 0 to 3 are 00 f0, layer, key); nothing when it is
// not a key record or names a layer or key the keyboard does not have.
std::optional<int> SlotOfRecord(const Bytes& record);

// How many records the definition that `first` starts takes: one for kinds 0 and 1; for a
// macro one per 53 bytes of its body, whose length its bytes 9 and 10 give (at least one).
int RecordsOfDefinition(const Bytes& first);

// A key's definition as the keyboard understood its records.
struct KeyDefinitionSeen {
    int layerNumber = 0;
    int key = 0;
    int kind = 0;            // 0 keys together, 1 keys repeated, 2..4 macros by play mode
    std::vector<int> codes;  // the keyboard's key codes, in order
    int interval = 0;        // kind 1: the repeat interval; macros: between events without delays
    int cycles = 0;          // macros
    bool delays = false;     // macros: each event carries the delay after it
    std::vector<int> delayList;  // with delays: one per event
    // Empty when the records say exactly what the protocol allows; else what is wrong
    // ("count 59 is more than a record holds", "record 2 repeats another header", ...).
    std::string problem;
};
// Decodes the records of one definition (one, or all of a macro's). An empty list is a key
// without a definition.
KeyDefinitionSeen DecodeDefinition(const std::vector<Bytes>& records);

// A data chunk, light or counter: 00, command, count n (at most 61), n bytes.
constexpr std::size_t kChunkRoom = 61;
// Copies a chunk's bytes into `area` at `position`, never more than the report carries nor
// beyond the area; the number copied.
std::size_t TakeChunk(const Bytes& chunk, std::uint8_t* area, std::size_t areaSize,
                      std::size_t position);

// The keyboard's answers.
Bytes VersionAnswer(const std::string& text);
// The key records' stream ends with 64 bytes 0xF6, the light and counter streams with 64
// bytes 0xE6.
Bytes KeyStreamEnd();
Bytes AreaStreamEnd();
// Streams `size` bytes of `area` as chunks of `command` (LightChunk or CounterRead).
std::vector<Bytes> AreaChunks(Request command, const std::uint8_t* area, std::size_t size);
// The record of a key that sends the given codes together (kind 0): what the keyboard holds
// for its factory keys.
Bytes KeysTogetherRecord(int layerNumber, int key, const std::vector<int>& codes);

}  // namespace z9rt::sim::protocol

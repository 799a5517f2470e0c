// The keyboard's report: 65 bytes on the wire, report identifier 0 followed by a 64-byte
// payload. Everything above the channel speaks in payloads; only the channel adds and strips
// the report identifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace z9rt {

constexpr std::size_t kPayloadSize = 64;
constexpr std::size_t kReportSize = kPayloadSize + 1;  // report identifier + payload
constexpr std::uint8_t kReportId = 0x00;

using Payload = std::array<std::uint8_t, kPayloadSize>;
using OutputReport = std::array<std::uint8_t, kReportSize>;
static_assert(sizeof(Payload) == 64, "a payload is 64 bytes");
static_assert(sizeof(OutputReport) == 65, "an output report is 65 bytes");

// The command codes, carried in payload byte 1 of every request and of most replies.
enum class Command : std::uint8_t {
    ReadVersion = 0xF9,      // request, one reply with the version text
    BeginKeyWrite = 0xF1,    // request: key records follow
    KeyRecord = 0xF0,        // request and reply: one key record
    KeyEnd = 0xF6,           // request and reply: end of the key records
    ReadKeys = 0xF2,         // request: the keyboard streams its key records
    BeginLightWrite = 0xE1,  // request: light chunks follow
    LightChunk = 0xE0,       // request and reply: a piece of the light area
    StreamEnd = 0xE6,        // request and reply: end of a light or counter stream
    ReadLight = 0xE2,        // request: the keyboard streams its light area
    Counters = 0xE3,         // request, and each chunk of the counter stream
    FirmwareLine = 0x3A,     // request: one decoded firmware line (":" in ASCII)
};

constexpr std::uint8_t ByteOf(Command command) {
    return static_cast<std::uint8_t>(command);
}

// Positions every request shares.
constexpr std::size_t kLeadByte = 0;     // 0x00 in requests; 0xF6 in the keyboard's key end
constexpr std::size_t kCommandByte = 1;  // the command code

// A request as the library originates it: 0x00, the command, zeros.
Payload MakeRequest(Command command);
// A payload whose 64 bytes all hold one value (the light and counter stream end marker).
Payload MakeFilled(std::uint8_t value);
// The library's end of key records: 0x00, then 0xF6 in bytes 1 to 63.
Payload MakeKeyEndRequest();

}  // namespace z9rt

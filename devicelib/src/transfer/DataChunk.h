// The data chunk that carries the light area (both ways) and the counters (from the keyboard):
// 0x00, the command, n (at most 61), then n bytes that continue the area where the previous
// chunk stopped. A report with 0xE6 in byte 1 ends the stream.
#pragma once

#include "channel/CKeyboardUtil.h"
#include "channel/Report.h"

#include <cstddef>
#include <cstdint>

namespace z9rt {

namespace chunk {
constexpr std::size_t kCount = 2;
constexpr std::size_t kData = 3;
constexpr std::size_t kMostBytes = kPayloadSize - kData;  // 61
static_assert(kMostBytes == 61, "a chunk carries at most 61 bytes");
}  // namespace chunk

// A chunk of `command` carrying `count` (at most 61) bytes from `data`.
Payload MakeChunk(Command command, const std::uint8_t* data, std::size_t count);

// Copies a received chunk's bytes into `area` at `position`: never more than the chunk's
// report holds, never beyond the area. Returns the number of bytes copied.
std::size_t CopyChunk(const Payload& payload, std::uint8_t* area, std::size_t areaSize,
                      std::size_t position);

// Whether a received report ends a light or counter stream.
inline bool IsStreamEnd(const Payload& payload) {
    return payload[kCommandByte] == ByteOf(Command::StreamEnd);
}

// Sends `area` as chunks of `command`, 61 bytes at a time. False at the first failed write.
[[nodiscard]] bool SendChunks(CKeyboardUtil& channel, Command command, const std::uint8_t* area,
                              std::size_t areaSize);

// Reads a chunk stream of `command` into `area` until its end report (true) or a failed read
// (false; what was copied stays). Reports of other commands are skipped.
[[nodiscard]] bool ReceiveChunks(CKeyboardUtil& channel, Command command, std::uint8_t* area,
                                 std::size_t areaSize);

}  // namespace z9rt

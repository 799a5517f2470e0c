// The press counters' conversation: 0xE3 asks, the keyboard streams 0xE3 chunks and ends with
// an 0xE6 report.
#pragma once

#include "channel/CKeyboardUtil.h"
#include "keydefine/COrvo.h"

namespace z9rt {

// Reads the counters into `counters`; true when the stream's end came. A failed exchange
// leaves what the earlier reads put there (and whatever part of this one arrived).
[[nodiscard]] bool ReadCounters(CKeyboardUtil& channel, CounterArea& counters);

// Counter k (1..82) of the area, a 32-bit little-endian unsigned integer.
std::uint32_t CounterOfKey(const CounterArea& counters, int key);

}  // namespace z9rt

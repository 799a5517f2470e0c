// What the fuzz targets share: a check that ends the run as a crash, and fuzz input laid out
// as the reports a keyboard streams.
#pragma once

#include "channel/Report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>

namespace fuzzsupport {

// A broken promise: libFuzzer keeps the input that led here as a reproducer.
inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The input cut into 64-byte payloads, the last one padded with zeros: what the keyboard
// answers, report after report.
inline std::deque<z9rt::Payload> PayloadsOf(const std::uint8_t* data, std::size_t size) {
    std::deque<z9rt::Payload> payloads;
    for (std::size_t at = 0; at < size; at += z9rt::kPayloadSize) {
        z9rt::Payload payload{};
        const std::size_t count = std::min(z9rt::kPayloadSize, size - at);
        std::copy(data + at, data + at + count, payload.begin());
        payloads.push_back(payload);
    }
    return payloads;
}

}  // namespace fuzzsupport

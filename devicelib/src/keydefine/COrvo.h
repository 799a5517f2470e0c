// The store of the keyboard family: the table of 246 key definitions, the light area and the
// counter area, and the channel the conversations run on.
#pragma once

#include "keydefine/CKeyDefine.h"
#include "keydefine/CKeyboardDefine.h"
#include "keydefine/KeyRecord.h"

#include <array>
#include <cstdint>
#include <memory>

class COrvoUtil;

namespace z9rt {

constexpr std::size_t kLightBytes = 246;    // red, green, blue per key 1..82
constexpr std::size_t kCounterBytes = 328;  // a 32-bit little-endian counter per key 1..82
constexpr std::size_t kCounterWidth = 4;

using KeyTable = std::array<std::unique_ptr<CKeyDefine>, kSlotCount>;
using LightArea = std::array<std::uint8_t, kLightBytes>;
using CounterArea = std::array<std::uint8_t, kCounterBytes>;

}  // namespace z9rt

class COrvo final : public CKeyboardDefine {
public:
    explicit COrvo(COrvoUtil& deviceChannel);

    const char* GetProductIdText() const override { return "502f"; }
    const char* GetVendorIdText() const override { return "0483"; }

    COrvoUtil& channel;            // not owned
    z9rt::KeyTable keys;           // empty slots are null
    z9rt::LightArea light{};       // zero until written or read
    z9rt::CounterArea counters{};  // zero until read
};

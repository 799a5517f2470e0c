// Text the keyboard sends as bytes (the version) becomes wide text: UTF-8 where the bytes are
// UTF-8, each other byte taken as Latin-1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace z9rt {

// Decodes `bytes` up to the first NUL (or all of them).
std::wstring DecodeNarrowText(const std::uint8_t* bytes, std::size_t count);

}  // namespace z9rt

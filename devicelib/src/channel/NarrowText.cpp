#include "channel/NarrowText.h"

namespace z9rt {
namespace {

// The length of the well-formed UTF-8 sequence at `bytes`, and its code point; 0 when the
// bytes there are not UTF-8.
std::size_t Utf8Sequence(const std::uint8_t* bytes, std::size_t count, char32_t& codePoint) {
    const std::uint8_t lead = bytes[0];
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (length > count) {
        return 0;
    }
    for (std::size_t index = 1; index < length; ++index) {
        if ((bytes[index] & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (bytes[index] & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

}  // namespace

std::wstring DecodeNarrowText(const std::uint8_t* bytes, std::size_t count) {
    std::wstring text;
    std::size_t at = 0;
    while (at < count && bytes[at] != 0) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(bytes + at, count - at, codePoint);
        if (length == 0) {
            text += static_cast<wchar_t>(bytes[at]);  // Latin-1
            ++at;
        } else if (sizeof(wchar_t) == 2 && codePoint >= 0x10000) {
            // Wide strings are UTF-16 where wchar_t has 16 bits: a surrogate pair.
            text += static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            at += length;
        } else {
            text += static_cast<wchar_t>(codePoint);
            at += length;
        }
    }
    return text;
}

}  // namespace z9rt

#include "model/WideText.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace model {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool IsBlank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

bool IsScalarValue(char32_t c) {
    return c <= kLastCodePoint && (c < kFirstSurrogate || c > kLastSurrogate);
}

// One UTF-8 sequence starting at `p`: its length (0 when it is not valid) and its value.
// `cutShort` reports a valid beginning that the end of the input cut off.
struct Utf8Sequence {
    int length = 0;
    char32_t value = 0;
    bool cutShort = false;
};

Utf8Sequence DecodeSequence(const unsigned char* p, const unsigned char* end) {
    Utf8Sequence sequence;
    const unsigned lead = *p;
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0U) == 0xC0U) {
        length = 2;
        value = lead & 0x1FU;
        smallest = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
        length = 3;
        value = lead & 0x0FU;
        smallest = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
        length = 4;
        value = lead & 0x07U;
        smallest = 0x10000;
    } else {
        return sequence;
    }
    for (int i = 1; i < length; ++i) {
        if (p + i >= end) {
            sequence.cutShort = true;
            return sequence;
        }
        const unsigned next = p[i];
        if ((next & 0xC0U) != 0x80U) {
            return sequence;
        }
        value = (value << 6) | (next & 0x3FU);
    }
    if (value < smallest || !IsScalarValue(value)) {
        return sequence;
    }
    sequence.length = length;
    sequence.value = value;
    return sequence;
}

std::size_t Utf8Length(char32_t c) {
    if (c < 0x80) {
        return 1;
    }
    if (c < 0x800) {
        return 2;
    }
    return c < 0x10000 ? 3 : 4;
}

char* EncodeScalar(char32_t c, char* out) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0U | (c >> 6));
        *out++ = static_cast<char>(0x80U | (c & 0x3FU));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0U | (c >> 12));
        *out++ = static_cast<char>(0x80U | ((c >> 6) & 0x3FU));
        *out++ = static_cast<char>(0x80U | (c & 0x3FU));
    } else {
        *out++ = static_cast<char>(0xF0U | (c >> 18));
        *out++ = static_cast<char>(0x80U | ((c >> 12) & 0x3FU));
        *out++ = static_cast<char>(0x80U | ((c >> 6) & 0x3FU));
        *out++ = static_cast<char>(0x80U | (c & 0x3FU));
    }
    return out;
}

}  // namespace

char32_t NextCodePoint(std::wstring_view text, std::size_t& i) {
    const auto c = static_cast<char32_t>(text[i++]);
    if constexpr (kWideIsUtf16) {
        if (c >= kFirstSurrogate && c < kFirstLowSurrogate && i < text.size()) {
            const auto low = static_cast<char32_t>(text[i]);
            if (low >= kFirstLowSurrogate && low <= kLastSurrogate) {
                ++i;
                return 0x10000 + ((c - kFirstSurrogate) << 10) + (low - kFirstLowSurrogate);
            }
        }
    }
    return IsScalarValue(c) ? c : kReplacementCharacter;
}

std::size_t PutCodePoint(char32_t c, wchar_t* out) {
    if constexpr (kWideIsUtf16) {
        if (c >= 0x10000) {
            out[0] = static_cast<wchar_t>(kFirstSurrogate + ((c - 0x10000) >> 10));
            out[1] = static_cast<wchar_t>(kFirstLowSurrogate + ((c - 0x10000) & 0x3FF));
            return 2;
        }
    }
    out[0] = static_cast<wchar_t>(c);
    return 1;
}

void AppendCodePoint(std::wstring& out, char32_t c) {
    wchar_t units[2];
    out.append(units, PutCodePoint(c, units));
}

namespace {

template <typename Char>
int ParseDecimalText(std::basic_string_view<Char> text) {
    // Most numbers in files are a few plain digits.
    constexpr std::size_t kSafeDigits = 9;  // cannot overflow
    if (!text.empty() && text.size() <= kSafeDigits) {
        int value = 0;
        std::size_t i = 0;
        while (i < text.size() && text[i] >= Char('0') && text[i] <= Char('9')) {
            value = value * 10 + static_cast<int>(text[i] - Char('0'));
            ++i;
        }
        if (i == text.size()) {
            return value;
        }
    }
    std::size_t i = 0;
    while (i < text.size() && IsBlank(static_cast<wchar_t>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-'))) {
        negative = text[i] == Char('-');
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        magnitude = magnitude * 10 + (text[i] - Char('0'));
        if (magnitude > kLimit) {
            magnitude = kLimit;  // saturated; keep consuming digits
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace

int ParseDecimal(std::wstring_view text) {
    return ParseDecimalText(text);
}

int ParseDecimal(std::string_view text) {
    return ParseDecimalText(text);
}

std::wstring DelayItemText(int milliseconds) {
    return L"<" + std::to_wstring(milliseconds) + L" ms>";
}

std::size_t DecodeUtf8(std::string_view bytes, wchar_t* out) {
    wchar_t* write = out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Eight ASCII bytes at a time where the text allows.
        std::uint64_t eight = 0;
        if (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & kHighBits) == 0)) {
            for (int i = 0; i < 8; ++i) {
                write[i] = static_cast<wchar_t>(p[i]);
            }
            write += 8;
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            *write++ = static_cast<wchar_t>(*p++);
            continue;
        }
        const Utf8Sequence sequence = DecodeSequence(p, end);
        if (sequence.length == 0) {
            *write++ = static_cast<wchar_t>(*p++);  // taken as Latin-1
        } else {
            // A 4-byte sequence is two UTF-16 units at most: never more characters than bytes.
            write += PutCodePoint(sequence.value, write);
            p += sequence.length;
        }
    }
    return static_cast<std::size_t>(write - out);
}

void AppendWideFromUtf8(std::wstring& out, std::string_view bytes) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size());  // never more characters than bytes
    out.resize(start + DecodeUtf8(bytes, out.data() + start));
}

std::wstring WideFromUtf8(std::string_view bytes) {
    std::wstring text;
    AppendWideFromUtf8(text, bytes);
    return text;
}

void AppendUtf8FromWide(std::string& out, std::wstring_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();) {
        length += Utf8Length(NextCodePoint(text, i));
    }
    const std::size_t start = out.size();
    out.resize(start + length);
    EncodeUtf8(text, out.data() + start);
}

std::size_t EncodeUtf8(std::wstring_view text, char* out) {
    char* write = out;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<char32_t>(text[i]) < 0x80) {
            *write++ = static_cast<char>(text[i++]);
        } else {
            write = EncodeScalar(NextCodePoint(text, i), write);
        }
    }
    return static_cast<std::size_t>(write - out);
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string bytes;
    AppendUtf8FromWide(bytes, text);
    return bytes;
}

bool IsValidUtf8(std::string_view bytes, bool allowCutShort) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Whole documents are checked when they are read: thirty-two ASCII bytes at a time
        // where the text allows (one test for four words), then eight, then one.
        constexpr std::ptrdiff_t kBlock = 32;
        if (end - p >= kBlock) {
            std::uint64_t words[kBlock / 8];
            std::memcpy(words, p, sizeof words);
            if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) == 0) {
                p += kBlock;
                continue;
            }
        }
        std::uint64_t eight = 0;
        if (end - p >= 8 && (std::memcpy(&eight, p, 8), (eight & kHighBits) == 0)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const Utf8Sequence sequence = DecodeSequence(p, end);
        if (sequence.length == 0) {
            return allowCutShort && sequence.cutShort;
        }
        p += sequence.length;
    }
    return true;
}

std::size_t Utf8SequenceAt(const unsigned char* p, const unsigned char* end, char32_t& value) {
    if (p >= end) {
        return 0;
    }
    if (*p < 0x80U) {
        value = *p;
        return 1;
    }
    const Utf8Sequence sequence = DecodeSequence(p, end);
    value = sequence.value;
    return static_cast<std::size_t>(sequence.length);
}

}  // namespace model

// The characters a markup text may hold: valid UTF-8 without control characters other than tab,
// line feed and carriage return.
#include "model/WideText.h"
#include "profile/StrictMarkup.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>

using model::Utf8SequenceAt;

namespace profile {

#endif

namespace {

constexpr unsigned char kFirstPrintable = 0x20;

bool IsAllowedControl(unsigned char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

// Whether the 16 bytes at `p` are printable ASCII or allowed controls; checked in one go where
// the processor can, since nearly every block of a profile is.
bool PlainBlock(const unsigned char* p) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (_mm_movemask_epi8(bytes) != 0) {
        return false;  // a byte of 0x80 or above
    }
    // Signed comparison: after the test above every byte is 0..127.
    const __m128i control = _mm_cmplt_epi8(bytes, _mm_set1_epi8(kFirstPrintable));
    const __m128i allowed = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')),
                                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                         _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')));
    return _mm_movemask_epi8(_mm_andnot_si128(allowed, control)) == 0;
#else
    constexpr unsigned char kFirstNonAscii = 0x80;
    for (int i = 0; i < 16; ++i) {
        if (p[i] >= kFirstNonAscii || (p[i] < kFirstPrintable && !IsAllowedControl(p[i]))) {
            return false;
        }
    }
    return true;
#endif
}

// The length of the UTF-8 sequence at `p` (before `end`) when it is a valid, allowed
// character; 0 otherwise, with `what` set.
std::size_t SequenceLength(const unsigned char* p, const unsigned char* end, std::string& what) {
    if (*p < kFirstPrintable && !IsAllowedControl(*p)) {
        what = *p == 0 ? "a NUL byte" : "a control character";
        return 0;
    }
    char32_t value = 0;
    const std::size_t length = Utf8SequenceAt(p, end, value);
    if (length == 0) {
        what = "a byte that is not UTF-8";
    }
    return length;
}

}  // namespace

std::size_t FirstForbiddenCharacter(std::string_view text, std::string& what) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = begin + text.size();
    const unsigned char* p = begin;
    while (p < end) {
        if (end - p >= 16 && PlainBlock(p)) {
            p += 16;
            continue;
        }
        // Byte by byte up to the end of this block (or the text).
        const unsigned char* const blockEnd = end - p >= 16 ? p + 16 : end;
        while (p < blockEnd) {
            const std::size_t length = SequenceLength(p, end, what);
            if (length == 0) {
                return static_cast<std::size_t>(p - begin);
            }
            p += length;
        }
    }
    return std::string_view::npos;
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    const char* p = text.data();
    const char* const end = text.data() + std::min(offset, text.size());
    while (p < end) {
        const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (found == nullptr) {
            break;
        }
        ++line;
        p = static_cast<const char*>(found) + 1;
    }
    return line;
}

}  // namespace profile

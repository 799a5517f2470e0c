// The form of the markup this program writes, and the small routines that write it into room
// made beforehand: every start tag, empty-element tag and end tag on its own line ended by
// CR LF, no indentation, attributes as ' name="value"'. CXmlDoc (which edits a document) and
// MarkupWriter (which writes one front to back) both write through these, so what they write
// is the same to the byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace markup_output {

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kEmptyTagClose = "/>";
// "<" name "/>" and "</" name ">" around a name.
inline constexpr std::size_t kEmptyTagExtra = 3;
inline constexpr std::size_t kEndTagExtra = 3;
// ' name="' and '"' around an attribute value.
inline constexpr std::size_t kAttributeExtra = 4;
// Characters of the longest int, "-2147483648".
inline constexpr std::size_t kMaxIntLength = 11;

template <typename Word>
Word LoadWord(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

template <typename Word>
void StoreWord(char* bytes, Word word) {
    std::memcpy(bytes, &word, sizeof word);
}

// Copies `text` to `out` and returns the end. What is written is mostly names, punctuation and
// short numbers: copied in two overlapping words instead of byte by byte or through a library
// call.
inline char* Put(char* out, std::string_view text) {
    const char* from = text.data();
    const std::size_t size = text.size();
    if (size > 16) {
        std::memcpy(out, from, size);
    } else if (size >= 8) {
        const auto first = LoadWord<std::uint64_t>(from);
        const auto last = LoadWord<std::uint64_t>(from + size - 8);
        StoreWord(out, first);
        StoreWord(out + size - 8, last);
    } else if (size >= 4) {
        const auto first = LoadWord<std::uint32_t>(from);
        const auto last = LoadWord<std::uint32_t>(from + size - 4);
        StoreWord(out, first);
        StoreWord(out + size - 4, last);
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = from[i];
        }
    }
    return out + size;
}

// Writes ' name="value"', the value written by `writeValue(out)`, and returns the end.
template <typename WriteValue>
char* PutAttribute(char* out, std::string_view name, WriteValue&& writeValue) {
    out = Put(out, " ");
    out = Put(out, name);
    out = Put(out, "=\"");
    out = writeValue(out);
    return Put(out, "\"");
}

// The decimal form of `value` ("%d").
inline std::string_view Decimal(int value, char (&digits)[kMaxIntLength + 1]) {
    char* const end = digits + sizeof digits;
    char* first = end;
    // In 64 bits, so that the most negative value has a magnitude too.
    std::int64_t magnitude = value;
    if (magnitude < 0) {
        magnitude = -magnitude;
    }
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--first = '-';
    }
    return std::string_view(first, static_cast<std::size_t>(end - first));
}

}  // namespace markup_output

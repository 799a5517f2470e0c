// Reading markup strictly, in one pass and without building anything: the reader hands each
// element's start (with its attributes, still escaped) and end to a handler as it meets them,
// and stops at the first thing that is not well-formed, saying what and where.
//
// Well-formed here is XML 1.0's well-formedness with two liberties that profiles need: a name
// may hold any character but blanks, "<", ">", "/", "=", quotes and "&" (the root elements
// are named "Z9RT(S)" and the like), and references in attribute values are left to the
// reader of the value. The text must be valid UTF-8 without control characters other than
// tab, line feed and carriage return. Elements nest at most kMaxMarkupDepth deep and a tag
// holds at most kMaxMarkupAttributes attributes, so that no input makes the reading take more
// than time linear in its length or memory beyond a fixed amount.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace profile {

constexpr std::size_t kMaxMarkupDepth = 64;
constexpr std::size_t kMaxMarkupAttributes = 64;

struct MarkupAttribute {
    std::string_view name;
    std::string_view value;     // as written between the quotes, references not yet replaced
    bool hasReference = false;  // the value holds an "&"
};

// An element's start as the reader met it.
struct MarkupElement {
    std::string_view name;
    const MarkupAttribute* attributes = nullptr;
    std::size_t count = 0;
    std::size_t offset = 0;  // of its start tag in the text
    // The start tag is the same, byte for byte, as the last one of this name, so whatever the
    // handler made of that one's attributes holds for these.
    bool repeatsLast = false;
};

// Takes what the reader meets. A handler that returns false stops the reading.
class MarkupHandler {
public:
    virtual ~MarkupHandler() = default;
    // An element starts; an empty-element tag is followed by EndElement at once.
    virtual bool StartElement(const MarkupElement& element) = 0;
    virtual bool EndElement() = 0;
};

struct MarkupOutcome {
    enum class Kind {
        Complete,   // the whole text was read and is well-formed
        Malformed,  // stopped at what `what` describes, at `offset`
        Stopped,    // the handler stopped the reading
    };
    Kind kind = Kind::Complete;
    std::size_t offset = 0;
    std::string what;  // "an end tag </x> where </List> belongs"
};

MarkupOutcome ReadStrictMarkup(std::string_view text, MarkupHandler& handler);

// The offset of the first character a markup text may not hold (a byte that is not part of
// valid UTF-8, a control character other than tab, line feed and carriage return), with
// `what` saying which; npos when there is none.
std::size_t FirstForbiddenCharacter(std::string_view text, std::string& what);

// Whether `text` starts with `name`, `text` holding at least name.size() bytes. Names are
// short: compared in at most two overlapping words, instead of byte by byte or through a
// library call.
inline bool StartsWithName(const char* text, std::string_view name) {
    const auto word = [](const char* bytes, auto type) {
        decltype(type) value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    };
    const char* n = name.data();
    std::size_t size = name.size();
    while (size > 16) {
        if (word(text, std::uint64_t{}) != word(n, std::uint64_t{})) {
            return false;
        }
        text += 8;
        n += 8;
        size -= 8;
    }
    if (size >= 8) {
        return word(text, std::uint64_t{}) == word(n, std::uint64_t{}) &&
               word(text + size - 8, std::uint64_t{}) == word(n + size - 8, std::uint64_t{});
    }
    if (size >= 4) {
        return word(text, std::uint32_t{}) == word(n, std::uint32_t{}) &&
               word(text + size - 4, std::uint32_t{}) == word(n + size - 4, std::uint32_t{});
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] != n[i]) {
            return false;
        }
    }
    return true;
}

inline bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithName(a.data(), b);
}

// The line (from 1) of a text offset.
std::size_t LineOfOffset(std::string_view text, std::size_t offset);

}  // namespace profile

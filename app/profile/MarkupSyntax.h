// The delimiters of markup and the classes of the characters that end something in a tag, for
// the tolerant parser of CXmlDoc and the strict reader of profiles alike.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace profile::markup {

inline constexpr std::string_view kCommentOpen = "<!--";
inline constexpr std::string_view kCommentClose = "-->";
inline constexpr std::string_view kCDataOpen = "<![CDATA[";
inline constexpr std::string_view kCDataClose = "]]>";
inline constexpr std::string_view kInstructionOpen = "<?";
inline constexpr std::string_view kInstructionClose = "?>";
inline constexpr std::string_view kEndTagOpen = "</";
inline constexpr std::string_view kDeclarationOpen = "<!";
inline constexpr std::string_view kDocumentTypeOpen = "<!DOCTYPE";

// Classes of the characters that end or may not be in something inside a tag.
enum : std::uint16_t {
    kBlank = 1,
    kNameEnd = 2,    // blanks, "/" and ">": the end of a name
    kNotInName = 4,  // "<", "=", quotes and "&": no part of a name
    kQuote = 8,      // either quotation mark
    kEquals = 16,
    kDoubleQuote = 32,
    kSingleQuote = 64,
    kLessThan = 128,
    kAmpersand = 256,
};

constexpr std::array<std::uint16_t, 256> MakeClasses() {
    std::array<std::uint16_t, 256> classes{};
    for (char c : {' ', '\t', '\r', '\n'}) {
        classes[static_cast<unsigned char>(c)] = kBlank | kNameEnd;
    }
    classes['/'] = kNameEnd;
    classes['>'] = kNameEnd;
    classes['='] = kNotInName | kEquals;
    classes['<'] = kNotInName | kLessThan;
    classes['&'] = kNotInName | kAmpersand;
    classes['"'] = kNotInName | kQuote | kDoubleQuote;
    classes['\''] = kNotInName | kQuote | kSingleQuote;
    return classes;
}
inline constexpr std::array<std::uint16_t, 256> kClasses = MakeClasses();

// Whether `c` is of any of `classes`.
inline bool Is(char c, std::uint16_t classes) {
    return (kClasses[static_cast<unsigned char>(c)] & classes) != 0;
}

// The position after the document type declaration whose "<!" is at `at`; npos when it never
// ends. An internal subset in brackets and quoted texts may both hold ">".
inline std::size_t EndOfDocumentType(std::string_view text, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at + kDeclarationOpen.size(); i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos) {
                return close;
            }
            i = close;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (c == '>' && depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace profile::markup

// Character references in markup: escaping of attribute values for writing, and unescaping of
// the references a reader meets (the five XML ones, numeric references and the named
// references of HTML 4.01).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace profile {

// The most bytes one character becomes when written escaped ("&quot;", "&#x1F;").
constexpr std::size_t kMaxEscapedLength = 6;

// Writes `value` as UTF-8 at `out`, with "<", "&", ">", '"' and "'" written as references, and
// so are the control characters markup may not hold as they are (all but tab, line feed and
// carriage return), so that they read back unchanged. Values that are no Unicode scalar values
// (surrogates) are written as U+FFFD. `out` has room for kMaxEscapedLength bytes per character;
// returns the end of what it wrote.
char* WriteEscapedAttribute(char* out, std::wstring_view value);

// Replaces every recognised reference by its character; a reference that is not recognised
// stays as written.
std::wstring Unescape(std::wstring_view text);
// The same on UTF-8 text.
std::wstring UnescapeUtf8(std::string_view text);

// The character of an HTML 4.01 named reference (the name without "&" and ";"), 0 when the
// name is not one of them.
char32_t HtmlNamedCharacter(std::wstring_view name);

}  // namespace profile

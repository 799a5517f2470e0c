// Conversions between UTF-8 and the encodings XML declarations name other than UTF-8 and
// UTF-16 ("windows-1252", "gb2312", "iso-8859-2", ...), through the platform's own tables.
// Each platform has its own file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace profile {

// The bytes, in the encoding called `name`, as UTF-8; input that cannot be converted becomes
// U+FFFD. Nothing when the platform does not know the encoding.
std::optional<std::string> Utf8FromNamedEncoding(std::string_view bytes, const std::string& name);

// The UTF-8 text in the encoding called `name`; characters it cannot represent become "?".
// Nothing when the platform does not know the encoding.
std::optional<std::string> NamedEncodingFromUtf8(std::string_view text, const std::string& name);

}  // namespace profile

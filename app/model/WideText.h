// Conversions between the configuration's wide strings and the bytes and numbers around them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace model {

// Reads a decimal number as the C library's to-long conversion does: leading blanks, an
// optional sign, then digits up to the first other character; 0 when there is no number.
// Values beyond the 32-bit range saturate (the file formats hold 32-bit integers).
int ParseDecimal(std::wstring_view text);
int ParseDecimal(std::string_view text);

// The delay item of a macro: "<50 ms>".
std::wstring DelayItemText(int milliseconds);

// Wide strings hold UTF-16 where wchar_t has 16 bits (Windows), with the characters beyond
// U+FFFF as surrogate pairs, and one code point per wchar_t elsewhere.
inline constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

// The code point at text[i], advancing i past it (past both halves of a surrogate pair where
// wide strings are UTF-16); U+FFFD for a value that is no Unicode scalar value.
char32_t NextCodePoint(std::wstring_view text, std::size_t& i);
// Writes a code point as one wide character, or as a surrogate pair where wide strings are
// UTF-16; returns the number written (room for 2 is needed).
std::size_t PutCodePoint(char32_t c, wchar_t* out);
void AppendCodePoint(std::wstring& out, char32_t c);

// UTF-8 to wide characters. Bytes that are not part of a valid UTF-8 sequence are taken as
// Latin-1 characters, so nothing is lost and no input is refused.
std::wstring WideFromUtf8(std::string_view bytes);
void AppendWideFromUtf8(std::wstring& out, std::string_view bytes);
// The same into a buffer with room for bytes.size() characters; returns the number written.
std::size_t DecodeUtf8(std::string_view bytes, wchar_t* out);

// Wide characters to UTF-8. Values that are not Unicode scalar values become U+FFFD.
std::string Utf8FromWide(std::wstring_view text);
void AppendUtf8FromWide(std::string& out, std::wstring_view text);
// The same into a buffer with room for 4 bytes per character; returns the number written.
std::size_t EncodeUtf8(std::wstring_view text, char* out);

// The length of the valid UTF-8 sequence of one character at `p` (before `end`), with its
// value; 0 when the bytes there are not one (or are cut off by the end).
std::size_t Utf8SequenceAt(const unsigned char* p, const unsigned char* end, char32_t& value);

// Whether the bytes are valid UTF-8; with `allowCutShort`, a sequence cut off by the end of
// the bytes still counts as valid.
bool IsValidUtf8(std::string_view bytes, bool allowCutShort);

}  // namespace model

#include "profile/XmlEscape.h"

#include "model/WideText.h"

#include <algorithm>
#include <cstdint>

using model::AppendCodePoint;
using model::DecodeUtf8;
using model::EncodeUtf8;
using model::NextCodePoint;
using model::PutCodePoint;

namespace profile {

namespace {

// The longest reference name we look at (the longest HTML 4.01 name has 8 characters; numeric
// references of code points need at most 8 digits, and we allow leading zeros up to this).
constexpr std::size_t kLongestReference = 32;
constexpr char32_t kLastCodePoint = 0x10FFFF;
// What the reference readers give for a text that is no reference they recognise.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    return (c >= L'a' && c <= L'f') ? c - L'a' + 10 : c - L'A' + 10;
}

// The character of a numeric reference body ("#65" or "#x41", "#x0" too, which the writer
// writes for a NUL); kNoCharacter when it is not a valid one.
char32_t NumericCharacter(std::wstring_view body) {
    const bool hex = body.size() > 1 && (body[1] == L'x' || body[1] == L'X');
    const std::size_t first = hex ? 2 : 1;
    if (body.size() <= first) {
        return kNoCharacter;
    }
    std::uint64_t value = 0;
    for (std::size_t i = first; i < body.size(); ++i) {
        const wchar_t c = body[i];
        if (hex ? !IsHexDigit(c) : !(c >= L'0' && c <= L'9')) {
            return kNoCharacter;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(HexValue(c));
        if (value > kLastCodePoint) {
            return kNoCharacter;
        }
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return surrogate ? kNoCharacter : static_cast<char32_t>(value);
}

char32_t ReferencedCharacter(std::wstring_view body) {
    if (body.empty()) {
        return kNoCharacter;
    }
    if (body[0] == L'#') {
        return NumericCharacter(body);
    }
    // The five of XML first: they are nearly all a profile holds.
    struct XmlReference {
        std::wstring_view name;
        char32_t character;
    };
    static constexpr XmlReference kXmlReferences[] = {
        {L"lt", U'<'}, {L"gt", U'>'}, {L"amp", U'&'}, {L"quot", U'"'}, {L"apos", U'\''},
    };
    for (const XmlReference& reference : kXmlReferences) {
        if (body.size() == reference.name.size() && body[0] == reference.name[0] &&
            body[1] == reference.name[1] && body.substr(2) == reference.name.substr(2)) {
            return reference.character;
        }
    }
    const char32_t named = HtmlNamedCharacter(body);
    return named == 0 ? kNoCharacter : named;
}

// Writes "&#x", the hexadecimal digits of a control character `c` and ";" at `out`; returns the
// end.
char* WriteNumericReference(char* out, char32_t c) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[2];
    int count = 0;
    do {
        digits[count++] = kDigits[c & 0xFU];
        c >>= 4;
    } while (c != 0);
    *out++ = '&';
    *out++ = '#';
    *out++ = 'x';
    while (count > 0) {
        *out++ = digits[--count];
    }
    *out++ = ';';
    return out;
}

}  // namespace

char* WriteEscapedAttribute(char* out, std::wstring_view value) {
    auto put = [&out](std::string_view text) {
        for (char c : text) {
            *out++ = c;
        }
    };
    for (std::size_t i = 0; i < value.size(); ++i) {
        const wchar_t c = value[i];
        switch (c) {
            case L'<':
                put("&lt;");
                break;
            case L'&':
                put("&amp;");
                break;
            case L'>':
                put("&gt;");
                break;
            case L'"':
                put("&quot;");
                break;
            case L'\'':
                put("&apos;");
                break;
            default:
                if (c >= 0x20 && c < 0x80) {
                    *out++ = static_cast<char>(c);
                } else if (static_cast<char32_t>(c) < 0x20 && c != L'\t' && c != L'\n' &&
                           c != L'\r') {
                    // Characters markup may not hold as they are: a reference ("&#x1;", at
                    // most kMaxEscapedLength bytes) reads back as the character.
                    out = WriteNumericReference(out, static_cast<char32_t>(c));
                } else {
                    // One character: both halves of a surrogate pair where there are pairs.
                    const std::size_t start = i;
                    NextCodePoint(value, i);
                    out += EncodeUtf8(value.substr(start, i - start), out);
                    --i;  // the loop steps past the character's last unit
                }
                break;
        }
    }
    return out;
}

std::wstring Unescape(std::wstring_view text) {
    std::size_t ampersand = text.find(L'&');
    if (ampersand == std::wstring_view::npos) {
        return std::wstring(text);
    }
    std::wstring out;
    out.reserve(text.size());
    std::size_t clean = 0;
    while (ampersand != std::wstring_view::npos) {
        const std::size_t limit = std::min(text.size(), ampersand + 1 + kLongestReference + 1);
        const std::size_t semicolon = text.substr(0, limit).find(L';', ampersand + 1);
        std::size_t next = ampersand + 1;
        if (semicolon != std::wstring_view::npos) {
            const char32_t c =
                ReferencedCharacter(text.substr(ampersand + 1, semicolon - ampersand - 1));
            if (c != kNoCharacter) {
                out.append(text.substr(clean, ampersand - clean));
                AppendCodePoint(out, c);
                clean = semicolon + 1;
                next = semicolon + 1;
            }
        }
        ampersand = text.find(L'&', next);
    }
    out.append(text.substr(clean));
    return out;
}

namespace {

// The five references of XML at the start of `text`, read straight from the bytes: nearly every
// reference a profile holds is one of them ("<50 ms>" delay items are written with two).
struct XmlReferenceBytes {
    std::string_view written;
    wchar_t character;
};
constexpr XmlReferenceBytes kXmlReferenceBytes[] = {
    {"&lt;", L'<'}, {"&gt;", L'>'}, {"&amp;", L'&'}, {"&quot;", L'"'}, {"&apos;", L'\''},
};

// Whether `text` holds `prefix` at `at`; compared here, as the references are a few bytes
// long and a library comparison costs a call for each of them.
bool StartsWithAt(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (text[at + k] != prefix[k]) {
            return false;
        }
    }
    return true;
}

// The character of the reference that starts at text[at] ("&"), with `end` set after it;
// kNoCharacter when no recognised reference starts there.
char32_t ReferenceAt(std::string_view text, std::size_t at, std::size_t& end) {
    for (const XmlReferenceBytes& reference : kXmlReferenceBytes) {
        if (StartsWithAt(text, at, reference.written)) {
            end = at + reference.written.size();
            return static_cast<char32_t>(reference.character);
        }
    }
    const std::size_t limit = std::min(text.size(), at + 1 + kLongestReference + 1);
    std::size_t semicolon = at + 1;
    while (semicolon < limit && text[semicolon] != ';') {
        ++semicolon;
    }
    if (semicolon >= limit) {
        return kNoCharacter;
    }
    wchar_t body[kLongestReference + 1];
    const std::size_t length = semicolon - at - 1;
    for (std::size_t k = 0; k < length; ++k) {
        body[k] = static_cast<wchar_t>(static_cast<unsigned char>(text[at + 1 + k]));
    }
    end = semicolon + 1;
    return ReferencedCharacter(std::wstring_view(body, length));
}

// Unescapes `text` into `out`, which has room for text.size() characters; returns the number
// written. One pass: ASCII is copied as it comes (item texts are nearly all ASCII), runs of
// other bytes are decoded as UTF-8 (their sequences never hold an ASCII byte), references
// are replaced.
std::size_t UnescapeUtf8Into(std::string_view text, wchar_t* out) {
    constexpr unsigned char kFirstNonAscii = 0x80;
    wchar_t* write = out;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= kFirstNonAscii) {
            std::size_t runEnd = i + 1;
            while (runEnd < size && static_cast<unsigned char>(text[runEnd]) >= kFirstNonAscii) {
                ++runEnd;
            }
            write += DecodeUtf8(text.substr(i, runEnd - i), write);
            i = runEnd;
            continue;
        }
        if (byte == '&') {
            std::size_t end = 0;
            const char32_t c = ReferenceAt(text, i, end);
            if (c != kNoCharacter) {
                write += PutCodePoint(c, write);  // a reference is longer than a pair
                i = end;
                continue;
            }
        }
        *write++ = static_cast<wchar_t>(byte);
        ++i;
    }
    return static_cast<std::size_t>(write - out);
}

}  // namespace

std::wstring UnescapeUtf8(std::string_view text) {
    // Never more characters than bytes. Short texts (item texts are) are decoded on the stack
    // and copied once into a string of their exact length, instead of filling and shrinking
    // a string as long as the bytes.
    constexpr std::size_t kShortText = 256;
    if (text.size() <= kShortText) {
        wchar_t buffer[kShortText];
        return std::wstring(buffer, UnescapeUtf8Into(text, buffer));
    }
    std::wstring out(text.size(), L'\0');
    out.resize(UnescapeUtf8Into(text, out.data()));
    return out;
}

}  // namespace profile

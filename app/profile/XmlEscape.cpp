#include "profile/XmlEscape.h"

#include <cstdint>

namespace {

// The longest reference name we look at (the longest HTML 4.01 name has 8 characters; numeric
// references of code points need at most 8 digits, and we allow leading zeros up to this).
constexpr std::size_t kLongestReference = 32;
constexpr char32_t kLastCodePoint = 0x10FFFF;

template <typename IsSpecial>
void AppendEscaped(std::wstring& out, std::wstring_view value, IsSpecial isSpecial) {
    std::size_t clean = 0;  // start of the run of characters written unchanged
    for (std::size_t i = 0; i < value.size(); ++i) {
        const wchar_t c = value[i];
        if (!isSpecial(c)) {
            continue;
        }
        out.append(value.substr(clean, i - clean));
        switch (c) {
            case L'<':
                out += L"&lt;";
                break;
            case L'&':
                out += L"&amp;";
                break;
            case L'>':
                out += L"&gt;";
                break;
            case L'"':
                out += L"&quot;";
                break;
            default:
                out += L"&apos;";
                break;
        }
        clean = i + 1;
    }
    out.append(value.substr(clean));
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    return (c >= L'a' && c <= L'f') ? c - L'a' + 10 : c - L'A' + 10;
}

// The character of a numeric reference body ("#65" or "#x41"); 0 when it is not a valid one.
char32_t NumericCharacter(std::wstring_view body) {
    const bool hex = body.size() > 1 && (body[1] == L'x' || body[1] == L'X');
    const std::size_t first = hex ? 2 : 1;
    if (body.size() <= first) {
        return 0;
    }
    std::uint64_t value = 0;
    for (std::size_t i = first; i < body.size(); ++i) {
        const wchar_t c = body[i];
        if (hex ? !IsHexDigit(c) : !(c >= L'0' && c <= L'9')) {
            return 0;
        }
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(HexValue(c));
        if (value > kLastCodePoint) {
            return 0;
        }
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return surrogate ? 0 : static_cast<char32_t>(value);
}

char32_t ReferencedCharacter(std::wstring_view body) {
    if (body.empty()) {
        return 0;
    }
    if (body[0] == L'#') {
        return NumericCharacter(body);
    }
    if (body == L"apos") {
        return U'\'';
    }
    return HtmlNamedCharacter(body);  // lt, gt, amp and quot are among them
}

}  // namespace

void AppendEscapedAttribute(std::wstring& out, std::wstring_view value) {
    AppendEscaped(out, value, [](wchar_t c) {
        return c == L'<' || c == L'&' || c == L'>' || c == L'"' || c == L'\'';
    });
}

void AppendEscapedText(std::wstring& out, std::wstring_view text) {
    AppendEscaped(out, text, [](wchar_t c) { return c == L'<' || c == L'&' || c == L'>'; });
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
            if (c != 0) {
                out.append(text.substr(clean, ampersand - clean));
                out.push_back(static_cast<wchar_t>(c));
                clean = semicolon + 1;
                next = semicolon + 1;
            }
        }
        ampersand = text.find(L'&', next);
    }
    out.append(text.substr(clean));
    return out;
}

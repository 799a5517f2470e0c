#include "profile/XmlFileEncoding.h"

#include "model/WideText.h"
#include "profile/NamedEncoding.h"

#include <algorithm>
#include <cctype>
#include <optional>

using model::AppendCodePoint;
using model::IsValidUtf8;
using model::NextCodePoint;
using model::Utf8FromWide;
using model::WideFromUtf8;

namespace profile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
// Only this much of the file's start is searched for a declared encoding.
constexpr std::size_t kDeclarationWindow = 1024;
constexpr char32_t kReplacementCharacter = 0xFFFD;

enum class Encoding { Utf8, Utf16Le, Utf16Be, Named };

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

Encoding EncodingOfName(std::string_view name) {
    const std::string lowered = Lowered(name);
    if (lowered.empty() || lowered == "utf-8" || lowered == "utf8") {
        return Encoding::Utf8;
    }
    if (lowered == "utf-16" || lowered == "utf-16le" || lowered == "ucs-2" ||
        lowered == "unicode") {
        return Encoding::Utf16Le;
    }
    if (lowered == "utf-16be" || lowered == "unicodefffe") {
        return Encoding::Utf16Be;
    }
    return Encoding::Named;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The quoted value after `key` and an equals sign in `text`, searched from `from`.
std::string QuotedValueAfter(std::string_view text, std::string_view key, std::size_t from = 0) {
    std::size_t at = text.find(key, from);
    while (at != std::string_view::npos) {
        std::size_t i = at + key.size();
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i < text.size() && text[i] == '=') {
            ++i;
            while (i < text.size() && IsBlank(text[i])) {
                ++i;
            }
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const std::size_t close = text.find(text[i], i + 1);
                if (close != std::string_view::npos) {
                    return std::string(text.substr(i + 1, close - i - 1));
                }
            }
            return std::string();
        }
        at = text.find(key, at + 1);
    }
    return std::string();
}

// The charset of an HTML "meta" element with http-equiv "Content-Type" inside "head".
std::string HtmlMetaCharset(std::string_view start) {
    const std::string lowered = Lowered(start);
    const std::size_t head = lowered.find("<head");
    if (head == std::string::npos) {
        return std::string();
    }
    for (std::size_t meta = lowered.find("<meta", head); meta != std::string::npos;
         meta = lowered.find("<meta", meta + 1)) {
        const std::size_t end = lowered.find('>', meta);
        const std::string_view tag =
            std::string_view(lowered).substr(meta, end == std::string::npos ? end : end - meta);
        if (QuotedValueAfter(tag, "http-equiv") != "content-type") {
            continue;
        }
        const std::string content = QuotedValueAfter(tag, "content");
        const std::size_t charset = content.find("charset=");
        if (charset == std::string::npos) {
            continue;
        }
        std::string name = content.substr(charset + 8);
        name = name.substr(0, name.find_first_of("; \t"));
        // The original spelling, at the same place.
        const std::size_t original = meta + tag.find(name);
        return std::string(start.substr(original, name.size()));
    }
    return std::string();
}

void AppendFromUtf16(std::wstring& out, std::string_view bytes, bool bigEndian) {
    out.reserve(out.size() + bytes.size() / 2);
    auto unit = [&bytes, bigEndian](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const std::size_t units = bytes.size() / 2;  // an odd last byte is no character
    for (std::size_t u = 0; u < units; ++u) {
        const char32_t c = unit(2 * u);
        if (c >= 0xD800 && c <= 0xDBFF && u + 1 < units) {
            const char32_t low = unit(2 * (u + 1));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendCodePoint(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++u;
                continue;
            }
        }
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        out.push_back(static_cast<wchar_t>(surrogate ? kReplacementCharacter : c));
    }
}

void AppendAsUtf16(std::string& out, std::wstring_view text, bool bigEndian) {
    auto put = [&out, bigEndian](char32_t unit) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    };
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);  // U+FFFD for what is no character
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
}

// Valid UTF-8 of the bytes: themselves when they are, otherwise with every invalid byte taken
// as a Latin-1 character.
std::string ValidUtf8(std::string bytes) {
    if (IsValidUtf8(bytes, false)) {
        return bytes;
    }
    return Utf8FromWide(WideFromUtf8(bytes));
}

std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text;
    AppendFromUtf16(text, bytes, bigEndian);
    return Utf8FromWide(text);
}

std::string DecodeNamed(const std::string& bytes, const std::string& name) {
    std::optional<std::string> text = Utf8FromNamedEncoding(bytes, name);
    if (text) {
        return ValidUtf8(std::move(*text));
    }
    return ValidUtf8(bytes);
}

// Whether the bytes start like UTF-16 without a mark: ASCII characters with zero bytes
// between them ("<?" is 3C 00 3F 00 in UTF-16LE, 00 3C 00 3F in UTF-16BE).
bool LooksLikeUtf16(std::string_view bytes, bool& bigEndian) {
    if (bytes.size() < 4) {
        return false;
    }
    auto isAscii = [](char c) { return c != 0 && static_cast<unsigned char>(c) < 0x80; };
    if (isAscii(bytes[0]) && bytes[1] == 0 && isAscii(bytes[2]) && bytes[3] == 0) {
        bigEndian = false;
        return true;
    }
    if (bytes[0] == 0 && isAscii(bytes[1]) && bytes[2] == 0 && isAscii(bytes[3])) {
        bigEndian = true;
        return true;
    }
    return false;
}

}  // namespace

std::string DeclaredXmlEncoding(std::string_view start) {
    std::size_t i = 0;
    while (i < start.size() && IsBlank(start[i])) {
        ++i;
    }
    if (start.compare(i, 5, "<?xml") != 0) {
        return std::string();
    }
    const std::size_t end = start.find("?>", i);
    return QuotedValueAfter(start.substr(i, end == std::string_view::npos ? end : end - i),
                            "encoding");
}

std::optional<std::string_view> Utf8DocumentText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return bytes.substr(kUtf8Mark.size());
    }
    bool bigEndian = false;
    if (bytes.substr(0, kUtf16LeMark.size()) == kUtf16LeMark ||
        bytes.substr(0, kUtf16BeMark.size()) == kUtf16BeMark || LooksLikeUtf16(bytes, bigEndian)) {
        return std::nullopt;
    }
    const std::string_view window = bytes.substr(0, kDeclarationWindow);
    std::string declared = DeclaredXmlEncoding(window);
    if (declared.empty()) {
        declared = HtmlMetaCharset(window);
    }
    // A declared UTF-16 in a file whose declaration reads as 8-bit text is not UTF-16; UTF-8
    // and undeclared files decode alike.
    if (EncodingOfName(declared) != Encoding::Named) {
        return bytes;
    }
    return std::nullopt;
}

std::string DecodeDocumentBytes(std::string bytes, InvalidUtf8 invalid) {
    if (const std::optional<std::string_view> utf8 = Utf8DocumentText(bytes)) {
        bytes.erase(0, bytes.size() - utf8->size());  // the byte-order mark, if any
        return invalid == InvalidUtf8::Keep ? std::move(bytes) : ValidUtf8(std::move(bytes));
    }
    const std::string_view view(bytes);
    if (view.substr(0, kUtf16LeMark.size()) == kUtf16LeMark) {
        return Utf8FromUtf16(view.substr(kUtf16LeMark.size()), false);
    }
    if (view.substr(0, kUtf16BeMark.size()) == kUtf16BeMark) {
        return Utf8FromUtf16(view.substr(kUtf16BeMark.size()), true);
    }
    bool bigEndian = false;
    if (LooksLikeUtf16(view, bigEndian)) {
        return Utf8FromUtf16(view, bigEndian);
    }
    std::string declared = DeclaredXmlEncoding(view.substr(0, kDeclarationWindow));
    if (declared.empty()) {
        declared = HtmlMetaCharset(view.substr(0, kDeclarationWindow));
    }
    return DecodeNamed(bytes, declared);
}

bool EncodeDocumentText(std::string_view head, std::string_view tail, const ByteSink& sink) {
    // The declaration is at the very start; it never needs more than the first bytes.
    std::string start(head.substr(0, kDeclarationWindow));
    start.append(tail.substr(0, kDeclarationWindow - start.size()));
    const std::string declared = DeclaredXmlEncoding(start);
    const Encoding encoding = EncodingOfName(declared);
    if (encoding == Encoding::Utf8) {
        return sink(head) && sink(tail);  // the text is UTF-8 already
    }
    std::string text(head);
    text.append(tail);
    std::string bytes;
    if (encoding == Encoding::Named) {
        std::optional<std::string> encoded = NamedEncodingFromUtf8(text, declared);
        if (!encoded) {
            return sink(text);
        }
        bytes = std::move(*encoded);
    } else {
        const std::wstring wide = WideFromUtf8(text);
        bytes.reserve(2 * wide.size());
        AppendAsUtf16(bytes, wide, encoding == Encoding::Utf16Be);
    }
    return sink(bytes);
}

std::string EncodeDocumentText(std::string_view head, std::string_view tail) {
    // Sized once for the common case, a UTF-8 text handed over as it is: growing a string of
    // a large profile piece by piece would copy it again and touch twice its memory.
    std::string bytes;
    bytes.reserve(head.size() + tail.size());
    EncodeDocumentText(head, tail, [&bytes](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

}  // namespace profile

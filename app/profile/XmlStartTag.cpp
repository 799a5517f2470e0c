// Scanning a start tag: its name, its attributes and where it ends.
#include "profile/MarkupSyntax.h"
#include "profile/XmlElementIndex.h"

namespace profile {

namespace {

using markup::Is;
using markup::kBlank;
using markup::kEquals;
using markup::kNameEnd;
using markup::kQuote;

// Position of `quote` from `from` on, or the text's size when it never comes.
std::size_t Closing(std::string_view text, std::size_t from, char quote) {
    while (from < text.size() && text[from] != quote) {
        ++from;
    }
    return from;
}

template <typename OnAttribute>
StartTag Scan(std::string_view text, OnAttribute onAttribute) {
    StartTag tag;
    const std::size_t size = text.size();
    std::size_t i = 1;
    while (i < size && !Is(text[i], kNameEnd)) {
        ++i;
    }
    tag.nameLength = i - 1;
    while (true) {
        while (i < size && Is(text[i], kBlank)) {
            ++i;
        }
        if (i >= size) {
            return tag;  // never ends
        }
        const char c = text[i];
        if (c == '>') {
            break;
        }
        if (c == '/') {
            if (i + 1 < size && text[i + 1] == '>') {
                tag.emptyTag = true;
                ++i;
                break;
            }
            ++i;  // stray slash
            continue;
        }
        if (Is(c, kQuote)) {
            // Stray quoted text: it still hides any ">" inside it.
            const std::size_t close = Closing(text, i + 1, c);
            if (close >= size) {
                return tag;
            }
            i = close + 1;
            continue;
        }
        if (c == '=') {
            ++i;  // stray equals sign
            continue;
        }
        AttributeSpan span;
        const std::size_t nameStart = i;
        while (i < size && !Is(text[i], kNameEnd | kEquals)) {
            ++i;
        }
        span.nameStart = static_cast<std::uint32_t>(nameStart);
        span.nameLength = static_cast<std::uint32_t>(i - nameStart);
        span.valueStart = static_cast<std::uint32_t>(i);
        std::size_t value = i;
        while (value < size && Is(text[value], kBlank)) {
            ++value;
        }
        if (value < size && text[value] == '=') {
            span.hasValue = true;
            ++value;
            while (value < size && Is(text[value], kBlank)) {
                ++value;
            }
            if (value < size && Is(text[value], kQuote)) {
                const std::size_t close = Closing(text, value + 1, text[value]);
                if (close >= size) {
                    return tag;
                }
                span.quoted = true;
                span.valueStart = static_cast<std::uint32_t>(value + 1);
                span.valueLength = static_cast<std::uint32_t>(close - value - 1);
                i = close + 1;
            } else {
                span.valueStart = static_cast<std::uint32_t>(value);
                while (value < size && !Is(text[value], kBlank) && text[value] != '>' &&
                       !(text[value] == '/' && value + 1 < size && text[value + 1] == '>')) {
                    ++value;
                }
                span.valueLength = static_cast<std::uint32_t>(value - span.valueStart);
                i = value;
            }
        }
        onAttribute(span);
    }
    tag.end = i + 1;
    return tag;
}

}  // namespace

StartTag ScanStartTag(std::string_view text, std::vector<AttributeSpan>& attributes) {
    return Scan(text, [&attributes](const AttributeSpan& span) { attributes.push_back(span); });
}

StartTag ScanStartTag(std::string_view text, std::vector<PackedAttribute>& attributes,
                      bool& packedAll) {
    packedAll = true;
    return Scan(text, [&attributes, &packedAll](const AttributeSpan& span) {
        // Packed straight into its place: packing a copy aside and then copying it whole
        // stalls the processor on every attribute (a wide load of narrow stores).
        PackedAttribute& packed = attributes.emplace_back();
        if (!PackedAttribute::Pack(span, packed)) {
            attributes.pop_back();
            packedAll = false;
        }
    });
}

}  // namespace profile

// The element index of a markup document: one entry per element, in the order the elements
// were parsed or added, linked into a tree, and the attributes the parser found in each start
// tag. Positions count bytes of the document's UTF-8 text.
//
// An element's start is stored relative to the start of its parent's content (the text after
// the parent's start tag), or to the start of the text for a top-level element. Text inserted
// inside an element then changes only the lengths of the element and its ancestors and the
// starts of the siblings that follow them, never anything below the following siblings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

constexpr std::int32_t kNoElement = -1;

// An attribute inside a start tag; positions relative to the element's start.
struct AttributeSpan {
    std::uint32_t nameStart = 0;
    std::uint32_t nameLength = 0;
    std::uint32_t valueStart = 0;  // for an attribute without value: where "=" would go
    std::uint32_t valueLength = 0;
    bool hasValue = false;
    bool quoted = false;
};

// The same as the index keeps it for every attribute of a parsed document: half the memory,
// for tags of up to 64 KiB (longer ones are scanned again when asked about).
struct PackedAttribute {
    std::uint16_t nameStart = 0;
    std::uint16_t valueStart = 0;
    std::uint16_t valueLength = 0;
    std::uint8_t nameLength = 0;
    std::uint8_t flags = 0;

    static constexpr std::uint8_t kHasValue = 1;
    static constexpr std::uint8_t kQuoted = 2;

    // False when the span's numbers do not fit.
    static bool Pack(const AttributeSpan& span, PackedAttribute& packed) {
        constexpr std::uint32_t kMax16 = 0xFFFF;
        constexpr std::uint32_t kMax8 = 0xFF;
        if (span.nameStart > kMax16 || span.valueStart > kMax16 || span.valueLength > kMax16 ||
            span.nameLength > kMax8) {
            return false;
        }
        packed.nameStart = static_cast<std::uint16_t>(span.nameStart);
        packed.valueStart = static_cast<std::uint16_t>(span.valueStart);
        packed.valueLength = static_cast<std::uint16_t>(span.valueLength);
        packed.nameLength = static_cast<std::uint8_t>(span.nameLength);
        packed.flags = static_cast<std::uint8_t>((span.hasValue ? kHasValue : 0) |
                                                 (span.quoted ? kQuoted : 0));
        return true;
    }
    AttributeSpan Unpacked() const {
        return {nameStart,
                nameLength,
                valueStart,
                valueLength,
                (flags & kHasValue) != 0,
                (flags & kQuoted) != 0};
    }
};
static_assert(sizeof(PackedAttribute) == 8, "one is kept per attribute of a document");

struct XmlElement {
    std::uint32_t offset = 0;          // start, relative to the parent's content
    std::uint32_t length = 0;          // the whole element, end tag included
    std::uint32_t startTagLength = 0;  // "<name attributes>" or "<name attributes/>"
    std::uint32_t endTagLength = 0;    // "</name>"; 0 for an empty-element tag or no end tag
    std::uint32_t nameLength = 0;
    std::int32_t firstChild = kNoElement;
    std::int32_t lastChild = kNoElement;
    std::int32_t next = kNoElement;  // next sibling
    // Elements directly inside, kept as they are linked so that readers can size what they
    // build without walking the children first.
    std::uint32_t childCount = 0;
    // The attributes the parser found: XmlElementIndex::attributes[first, first + count).
    // Not valid once the start tag was edited.
    std::uint32_t firstAttribute = 0;
    std::uint32_t attributeCount = 0;
    // One bit per attribute name hash that the element may have; a clear bit means the
    // element certainly has no attribute of a name with that hash.
    std::uint32_t attributeNames = ~0U;
    bool attributesIndexed = false;
    bool emptyTag = false;  // written as one empty-element tag
};
// A profile has an element per 50 bytes or so; the index is read through once per load.
static_assert(sizeof(XmlElement) <= 52, "one is kept per element of a document");

// Elements, their parsed attributes, and the first and last top-level element.
struct XmlElementIndex {
    std::vector<XmlElement> elements;
    std::vector<PackedAttribute> attributes;
    std::int32_t firstTop = kNoElement;
    std::int32_t lastTop = kNoElement;

    void Clear() {
        elements.clear();
        attributes.clear();
        firstTop = kNoElement;
        lastTop = kNoElement;
    }
};

// Bit of an attribute name in XmlElement::attributeNames.
inline std::uint32_t AttributeNameBit(std::string_view name) {
    if (name.empty()) {
        return 1;
    }
    const auto mix = static_cast<std::uint32_t>(static_cast<unsigned char>(name.front())) * 31U +
                     static_cast<std::uint32_t>(static_cast<unsigned char>(name.back())) * 7U +
                     static_cast<std::uint32_t>(name.size());
    return 1U << (mix % 32U);
}

// Characters that end a tag name.
constexpr bool IsNameEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>';
}
constexpr bool IsMarkupBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// What scanning a start tag found.
struct StartTag {
    std::size_t end = std::string_view::npos;  // after its ">"; npos when it never ends
    std::size_t nameLength = 0;
    bool emptyTag = false;
};

// Scans the start tag at `text[0]` ("<" name attributes ">" or "/>"), adding its attributes,
// positions relative to the tag's start, to `attributes`. The tag ends at the first ">"
// outside quoted values.
StartTag ScanStartTag(std::string_view text, std::vector<AttributeSpan>& attributes);
// The same, packing the attributes; `packedAll` tells whether every one fitted.
StartTag ScanStartTag(std::string_view text, std::vector<PackedAttribute>& attributes,
                      bool& packedAll);

// Builds the index of a text, tolerating malformed markup: what could be parsed stays indexed
// and each problem is described in `diagnostics`. Returns false for texts too long to index.
bool ParseMarkup(std::string_view text, XmlElementIndex& index,
                 std::vector<std::string>& diagnostics);

// The longest text the index can address.
constexpr std::size_t kMaxMarkupLength = 0x7FFFFFFF;

}  // namespace profile

// The element index of a markup document: one entry per element, in the order the elements
// were parsed or added, linked into a tree.
//
// An element's start is stored relative to the start of its parent's content (the text after
// the parent's start tag), or to the start of the text for a top-level element. Text inserted
// inside an element then changes only the lengths of the element and its ancestors and the
// starts of the siblings that follow them, never anything below the following siblings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr std::int32_t kNoElement = -1;

struct XmlElement {
    std::uint32_t offset = 0;          // start, relative to the parent's content
    std::uint32_t length = 0;          // the whole element, end tag included
    std::uint32_t startTagLength = 0;  // "<name attributes>" or "<name attributes/>"
    std::uint32_t endTagLength = 0;    // "</name>"; 0 for an empty-element tag or no end tag
    std::uint32_t nameLength = 0;
    std::int32_t parent = kNoElement;
    std::int32_t firstChild = kNoElement;
    std::int32_t lastChild = kNoElement;
    std::int32_t next = kNoElement;  // next sibling
    // One bit per attribute name hash that the element may have; a clear bit means the
    // element certainly has no attribute of a name with that hash.
    std::uint32_t attributeNames = ~0U;
    bool emptyTag = false;  // written as one empty-element tag
};

// Elements and the first and last top-level element.
struct XmlElementIndex {
    std::vector<XmlElement> elements;
    std::int32_t firstTop = kNoElement;
    std::int32_t lastTop = kNoElement;

    void Clear() {
        elements.clear();
        firstTop = kNoElement;
        lastTop = kNoElement;
    }
};

// Bit of an attribute name in XmlElement::attributeNames.
std::uint32_t AttributeNameBit(std::wstring_view name);

// Builds the index of a text, tolerating malformed markup: what could be parsed stays indexed
// and each problem is described in `diagnostics`. Returns false for texts too long to index.
bool ParseMarkup(std::wstring_view text, XmlElementIndex& index,
                 std::vector<std::wstring>& diagnostics);

// Characters that end a tag name.
constexpr bool IsNameEnd(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'/' || c == L'>';
}
constexpr bool IsMarkupBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

// The longest text the index can address.
constexpr std::size_t kMaxMarkupLength = 0x7FFFFFFF;

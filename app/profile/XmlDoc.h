// CXmlDoc: a small markup document kept as one wide text plus an index of its elements, with
// position-based navigation (a parent, a current element among the parent's children) for
// reading and writing profiles.
//
// Writing appends elements and attributes to the text in the exact form profiles have:
// every start tag, empty-element tag and end tag on its own line ended by CR LF, no
// indentation, attributes in the order they were set, values escaped. Reading parses a text
// once, tolerating malformed markup, and then walks it with forward searches.
#pragma once

#include "profile/GapText.h"
#include "profile/XmlElementIndex.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Files larger than this are not read: no profile comes near it, and reading one would take
// many times its size in memory.
constexpr std::size_t kMaxDocumentFileBytes = std::size_t{64} << 20;

class CXmlDoc {
public:
    // Replaces the document text and parses it; navigation goes to the top level, before the
    // first element. True when the text is well-formed markup.
    bool SetText(std::wstring text);
    std::wstring GetText() const { return text_.Str(); }
    std::size_t TextLength() const { return text_.Size(); }

    // Adds an empty element after the current element (or at the end of the parent's content,
    // or of the document at the top level, when there is no current element) and makes it
    // current. False for a name that cannot be a tag name.
    bool AppendElement(std::wstring_view name);
    // The current element becomes the parent, with the position before its first child.
    // False, changing nothing, when there is no current element.
    bool EnterElement();
    // The parent becomes the current element. False at the top level.
    bool LeaveElement();
    // The next sibling after the current element (or, without one, the parent's first child)
    // whose name is exactly `name` becomes current. False, changing nothing, when none follows.
    bool FindNextElement(std::wstring_view name);
    // Back to the top level, before the first element.
    void ResetPosition();

    bool HasParent() const { return parent_ != kNoElement; }
    bool HasCurrentElement() const { return current_ != kNoElement; }
    std::wstring CurrentElementName() const;

    // The unescaped value of an attribute of the current element; empty when there is no
    // current element or no such attribute.
    std::wstring GetAttribute(std::wstring_view name) const;
    // The value read as a decimal number (0 when missing or not a number).
    int GetAttributeInt(std::wstring_view name) const;
    // Sets an attribute of the current element: a new one goes after the others, an existing
    // one gets the new value in place. False without a current element or for a name that
    // cannot be an attribute name.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    bool SetAttribute(std::wstring_view name, int value);

    // Reads a file (UTF-8, UTF-16 with or without byte-order mark, or a declared encoding) and
    // parses it. False when the file cannot be read; the document is then empty and `whyNot`
    // says why.
    bool LoadFile(const std::filesystem::path& path, std::string* whyNot = nullptr);
    // Decodes bytes as LoadFile decodes a file's content, and parses them.
    bool LoadBytes(std::string_view bytes);
    // Writes the text in the encoding its XML declaration names (UTF-8 without one), without
    // byte-order mark. The file is replaced only once the new content is completely written,
    // so a failed save leaves the previous file as it was. False with `whyNot` on failure.
    bool SaveFile(const std::filesystem::path& path, std::string* whyNot = nullptr) const;
    // The bytes SaveFile writes.
    std::string EncodedText() const;

    // Whether an AppendElement or SetAttribute since the last SetText was refused (a name that
    // cannot be one, or a text that would grow beyond what the index addresses).
    bool WriteFailed() const { return writeFailed_; }

    // What the last parse found malformed (the first problems only).
    const std::vector<std::wstring>& Diagnostics() const { return diagnostics_; }

private:
    // An attribute inside a start tag, positions relative to the element's start.
    struct AttributeSpan {
        std::uint32_t nameStart = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t valueStart = 0;  // for an attribute without value: where "=" would go
        std::uint32_t valueLength = 0;
        bool hasValue = false;
        bool quoted = false;
    };

    XmlElement& At(std::int32_t element) {
        return index_.elements[static_cast<std::size_t>(element)];
    }
    const XmlElement& At(std::int32_t element) const {
        return index_.elements[static_cast<std::size_t>(element)];
    }
    std::size_t StartOf(std::int32_t element) const;
    std::size_t ContentStartOf(std::int32_t parent) const;
    std::int32_t FirstChildOf(std::int32_t parent) const;
    std::int32_t& LastChildOf(std::int32_t parent);
    // Adds `delta` to the length of `element` and its ancestors and moves the siblings that
    // follow each of them.
    void Grow(std::int32_t element, std::int64_t delta);
    void ShiftFollowing(std::int32_t element, std::int64_t delta);
    bool Fits(std::size_t added) const;
    bool AppendFirstChild(std::wstring_view name);
    bool Refuse() {
        writeFailed_ = true;
        return false;
    }
    const std::vector<AttributeSpan>& AttributesOf(std::int32_t element, std::size_t start) const;
    const AttributeSpan* FindAttribute(std::int32_t element, std::size_t start,
                                       std::wstring_view name) const;
    std::wstring_view RawAttribute(std::wstring_view name) const;
    void Edited() { ++revision_; }

    GapText text_;
    XmlElementIndex index_;
    std::vector<std::wstring> diagnostics_;
    std::int32_t parent_ = kNoElement;
    std::int32_t current_ = kNoElement;
    bool writeFailed_ = false;

    // The attributes of the element last asked about, until the text changes.
    std::uint64_t revision_ = 0;
    mutable std::vector<AttributeSpan> attributeCache_;
    mutable std::int32_t cachedElement_ = kNoElement;
    mutable std::uint64_t cachedRevision_ = 0;
};

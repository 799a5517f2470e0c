// CXmlDoc: a small markup document kept as one text plus an index of its elements, with
// position-based navigation (a parent, a current element among the parent's children) for
// reading and writing profiles. The text is held as UTF-8 (a quarter of the memory of wide
// characters, and what profile files hold); the interface speaks wide strings, and takes
// names also as UTF-8 for callers that have them so.
//
// Writing appends elements and attributes to the text in the exact form profiles have:
// every start tag, empty-element tag and end tag on its own line ended by CR LF, no
// indentation, attributes in the order they were set, values escaped. Reading parses a text
// once, tolerating malformed markup, and then walks it with forward searches.
//
// One thread at a time, also for reading: reading moves the text's gap and fills caches.
#pragma once

#include "profile/GapText.h"
#include "profile/XmlElementIndex.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Files larger than this are not read: no profile comes near it, and reading one would take
// many times its size in memory.
constexpr std::size_t kMaxDocumentFileBytes = std::size_t{64} << 20;

// An attribute written together with its element: a number, or a text (escaped as
// SetAttribute escapes it).
struct XmlNewAttribute {
    XmlNewAttribute(std::string_view name, int value) : utf8Name(name), number(value) {}
    XmlNewAttribute(std::string_view name, std::wstring_view value)
        : utf8Name(name), text(value), isText(true) {}

    std::string_view utf8Name;
    int number = 0;
    std::wstring_view text;
    bool isText = false;
};

class CXmlDoc {
public:
    // Replaces the document text and parses it; navigation goes to the top level, before the
    // first element. True when the text is well-formed markup.
    bool SetText(std::wstring_view text);
    // The same for UTF-8 text.
    bool SetUtf8Text(std::string text);
    std::wstring GetText() const;
    // The text as UTF-8, and its length in bytes.
    std::string Utf8Text() const { return text_.Str(); }
    std::size_t Utf8Length() const { return text_.Size(); }
    // Makes room for a text of `bytes` bytes and that many elements, for writers that know
    // roughly how much they will write.
    void Reserve(std::size_t bytes, std::size_t elements) {
        text_.Reserve(bytes);
        index_.elements.reserve(elements);
    }

    // Adds an empty element after the current element (or at the end of the parent's content,
    // or of the document at the top level, when there is no current element) and makes it
    // current. False for a name that cannot be a tag name.
    bool AppendElement(std::wstring_view name);
    bool AppendElement(std::string_view utf8Name);
    // The same followed by SetAttribute for each of `count` attributes in their order, written
    // in one go: a profile has hundreds of thousands of such elements.
    bool AppendElement(std::string_view utf8Name, const XmlNewAttribute* attributes,
                       std::size_t count);
    // The current element becomes the parent, with the position before its first child.
    // False, changing nothing, when there is no current element.
    bool EnterElement();
    // The parent becomes the current element. False at the top level.
    bool LeaveElement();
    // The next sibling after the current element (or, without one, the parent's first child)
    // whose name is exactly `name` becomes current. False, changing nothing, when none follows.
    bool FindNextElement(std::wstring_view name);
    bool FindNextElement(std::string_view utf8Name);
    // The next sibling after the current element (or the parent's first child), whatever its
    // name, becomes current. False, changing nothing, when none follows.
    bool NextElement();
    // Back to the top level, before the first element.
    void ResetPosition();

    bool HasParent() const { return !levels_.empty(); }
    bool HasCurrentElement() const { return current_ != kNoElement; }
    std::wstring CurrentElementName() const;
    // How many elements the current element holds directly.
    std::size_t ChildCount() const;
    // Whether the current element is closed: an empty-element tag, or an end tag of its name
    // after its start tag (also one the parser could not match to it through broken nesting).
    // A document cut off part-way leaves its outer elements open.
    bool CurrentElementClosed() const;

    // The unescaped value of an attribute of the current element; empty when there is no
    // current element or no such attribute.
    std::wstring GetAttribute(std::wstring_view name) const;
    std::wstring GetAttribute(std::string_view utf8Name) const;
    // The value read as a decimal number (0 when missing or not a number).
    int GetAttributeInt(std::wstring_view name) const;
    int GetAttributeInt(std::string_view utf8Name) const;
    // Several attributes as numbers at once, `values[i]` for `names[i]`.
    void GetAttributeInts(const std::string_view* names, int* values, std::size_t count) const;
    // Sets an attribute of the current element: a new one goes after the others, an existing
    // one gets the new value in place. False without a current element or for a name that
    // cannot be an attribute name.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    bool SetAttribute(std::wstring_view name, int value);
    bool SetAttribute(std::string_view utf8Name, std::wstring_view value);
    bool SetAttribute(std::string_view utf8Name, int value);

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
    const std::vector<std::string>& Diagnostics() const { return diagnostics_; }

private:
    // One entered element: where its content starts, and how much the text inside it grew
    // since it was entered. The growth reaches the element's length and the elements after it
    // when it is left, so an edit costs the same at any depth.
    struct Level {
        std::int32_t element;
        std::size_t contentStart;
        std::int64_t growth;
    };

    XmlElement& At(std::int32_t element) {
        return index_.elements[static_cast<std::size_t>(element)];
    }
    const XmlElement& At(std::int32_t element) const {
        return index_.elements[static_cast<std::size_t>(element)];
    }
    std::int32_t Parent() const { return levels_.empty() ? kNoElement : levels_.back().element; }
    std::size_t ContentStart() const { return levels_.empty() ? 0 : levels_.back().contentStart; }
    std::size_t StartOfCurrent() const { return ContentStart() + At(current_).offset; }
    std::int32_t FirstChildOf(std::int32_t parent) const;
    // The text inside the parent grew by `delta` at a place before `element`'s siblings.
    void GrewAfter(std::int32_t element, std::int64_t delta);
    void ShiftFollowing(std::int32_t element, std::int64_t delta);
    void LinkAfterCurrent(std::int32_t element);
    bool Fits(std::size_t added) const;
    bool Refuse() {
        writeFailed_ = true;
        return false;
    }
    bool AppendFirstChild(std::string_view name);
    // Inserts an attribute whose value `writeValue(out)` writes (at most `maxValueLength`
    // bytes, returning their end).
    template <typename WriteValue>
    void InsertAttribute(std::size_t start, std::string_view name, std::size_t maxValueLength,
                         WriteValue writeValue);
    // Inserts what `write(out)` writes (at most `maxLength` bytes, returning their end) at the
    // end of the current element's attributes.
    template <typename Write>
    void InsertIntoStartTag(std::size_t start, std::size_t maxLength, Write write);
    bool CanSetAttribute(std::string_view name, std::size_t maxValueLength);
    bool ReplaceAttribute(std::size_t start, const AttributeSpan& span, std::wstring_view value);
    // The attributes of the current element, and its start tag: packed in the index for a
    // parsed element, scanned for a start tag written or edited here.
    struct Attributes {
        std::string_view tag;
        const PackedAttribute* packed = nullptr;
        const AttributeSpan* scanned = nullptr;
        std::size_t count = 0;
    };
    Attributes AttributesOfCurrent(std::size_t start) const;
    Attributes ScannedAttributes(std::string_view tag) const;
    std::optional<AttributeSpan> Find(const Attributes& attributes, std::string_view name) const;
    // The raw (still escaped) value of attribute `name`; empty when missing.
    std::string_view ValueOf(const Attributes& attributes, std::string_view name) const;
    std::optional<AttributeSpan> FindAttribute(std::size_t start, std::string_view name) const;
    std::string_view RawAttribute(std::string_view name) const;
    void Parse();

    GapText text_;
    XmlElementIndex index_;
    std::vector<std::string> diagnostics_;
    std::vector<Level> levels_;  // the parent is the last
    std::int32_t current_ = kNoElement;
    bool writeFailed_ = false;

    // The attributes of the element whose start tag was written or edited here and was asked
    // about last, scanned then, until the text changes.
    std::uint64_t revision_ = 0;
    mutable std::vector<AttributeSpan> scannedAttributes_;
    mutable std::int32_t scannedElement_ = kNoElement;
    mutable std::uint64_t scannedRevision_ = ~std::uint64_t{0};
    // Readers ask for attributes in the order they were written: the next search starts
    // after the attribute found last.
    mutable std::size_t nextAttributeHint_ = 0;
};

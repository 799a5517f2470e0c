#include "profile/XmlDoc.h"

#include "model/WideText.h"
#include "profile/FileAccess.h"
#include "profile/MarkupOutput.h"
#include "profile/StrictMarkup.h"
#include "profile/XmlEscape.h"
#include "profile/XmlFileEncoding.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace markup_output;

namespace {

// Characters that may not appear in tag and attribute names we write.
constexpr std::array<bool, 256> MakeForbiddenNameCharacters() {
    std::array<bool, 256> forbidden{};
    for (char c : {' ', '\t', '\r', '\n', '/', '>', '<', '=', '"', '\'', '&', '\0'}) {
        forbidden[static_cast<unsigned char>(c)] = true;
    }
    return forbidden;
}
constexpr std::array<bool, 256> kForbiddenNameCharacters = MakeForbiddenNameCharacters();

bool IsValidName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        if (kForbiddenNameCharacters[static_cast<unsigned char>(c)]) {
            return false;
        }
    }
    return true;
}

std::uint32_t AddTo(std::uint32_t value, std::int64_t delta) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value) + delta);
}

// The index of the attribute called `name` among `count` spans of `tag`, searched from `hint`
// on and round; `count` when there is none.
template <typename Span>
inline std::size_t FindSpan(const Span* spans, std::size_t count, std::string_view tag,
                            std::string_view name, std::size_t hint) {
    std::size_t i = hint < count ? hint : 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (spans[i].nameLength == name.size() &&
            StartsWithName(tag.data() + spans[i].nameStart, name)) {
            return i;
        }
        i = i + 1 < count ? i + 1 : 0;
    }
    return count;
}

// The value of the attribute called `name` among `count` spans of `tag`, searched as FindSpan
// does, moving `hint` past it; empty when there is none. Kept apart from FindSpan so that the
// readers' common case, the attribute at the hint, compiles to a few instructions.
template <typename Span>
inline std::string_view FindValue(const Span* spans, std::size_t count, std::string_view tag,
                                  std::string_view name, std::size_t& hint) {
    const std::size_t i = FindSpan(spans, count, tag, name, hint);
    if (i >= count) {
        return {};
    }
    hint = i + 1;
    // The value lies inside the tag, where the span was found.
    return std::string_view(tag.data() + spans[i].valueStart, spans[i].valueLength);
}

// A number in an attribute value, references replaced first where there are any.
int ParseAttributeNumberSlowly(std::string_view raw) {
    for (char c : raw) {
        if (c == '&') {
            return ParseDecimal(UnescapeUtf8(raw));
        }
    }
    return ParseDecimal(raw);  // blanks, signs and digits read the same in UTF-8
}

// The same, with nearly every value (a few plain digits) read right here: nine digits cannot
// overflow.
inline int ParseAttributeNumber(std::string_view raw) {
    constexpr std::size_t kSafeDigits = 9;
    if (raw.empty() || raw.size() > kSafeDigits) {
        return ParseAttributeNumberSlowly(raw);
    }
    int value = 0;
    for (char c : raw) {
        const unsigned digit = static_cast<unsigned char>(c) - unsigned{'0'};
        if (digit > 9) {
            return ParseAttributeNumberSlowly(raw);
        }
        value = value * 10 + static_cast<int>(digit);
    }
    return value;
}

// The index entry of an element just written as "<name/>" at `offset` in its parent.
XmlElement NewEmptyElement(std::string_view name, std::size_t offset) {
    XmlElement element;
    element.offset = static_cast<std::uint32_t>(offset);
    element.length = static_cast<std::uint32_t>(name.size() + kEmptyTagExtra);
    element.startTagLength = element.length;
    element.nameLength = static_cast<std::uint32_t>(name.size());
    element.attributeNames = 0;  // none yet, and we know it
    element.emptyTag = true;
    return element;
}

}  // namespace

void CXmlDoc::Parse() {
    levels_.clear();
    current_ = kNoElement;
    writeFailed_ = false;
    ++revision_;
    if (!ParseMarkup(text_.View(0, text_.Size()), index_, diagnostics_)) {
        text_.Clear();
        index_.Clear();
    }
}

bool CXmlDoc::SetText(std::wstring_view text) {
    text_.Assign(Utf8FromWide(text));
    Parse();
    return diagnostics_.empty();
}

bool CXmlDoc::SetUtf8Text(std::string text) {
    text_.Assign(std::move(text));
    Parse();
    return diagnostics_.empty();
}

std::wstring CXmlDoc::GetText() const {
    std::wstring text = WideFromUtf8(text_.Head());
    AppendWideFromUtf8(text, text_.Tail());
    return text;
}

bool CXmlDoc::LoadBytes(std::string_view bytes) {
    text_.Assign(DecodeDocumentBytes(std::string(bytes)));
    Parse();
    return diagnostics_.empty();
}

void CXmlDoc::ResetPosition() {
    while (LeaveElement()) {
    }
    current_ = kNoElement;
}

std::int32_t CXmlDoc::FirstChildOf(std::int32_t parent) const {
    return parent == kNoElement ? index_.firstTop : At(parent).firstChild;
}

void CXmlDoc::ShiftFollowing(std::int32_t element, std::int64_t delta) {
    for (std::int32_t e = At(element).next; e != kNoElement; e = At(e).next) {
        At(e).offset = AddTo(At(e).offset, delta);
    }
}

void CXmlDoc::GrewAfter(std::int32_t element, std::int64_t delta) {
    ShiftFollowing(element, delta);
    if (!levels_.empty()) {
        levels_.back().growth += delta;
    }
    ++revision_;
}

bool CXmlDoc::Fits(std::size_t added) const {
    return text_.Size() <= kMaxMarkupLength && added <= kMaxMarkupLength - text_.Size();
}

std::wstring CXmlDoc::CurrentElementName() const {
    if (current_ == kNoElement) {
        return std::wstring();
    }
    return WideFromUtf8(text_.View(StartOfCurrent() + 1, At(current_).nameLength));
}

void CXmlDoc::LinkAfterCurrent(std::int32_t element) {
    const std::int32_t parent = Parent();
    std::int32_t& last = parent == kNoElement ? index_.lastTop : At(parent).lastChild;
    if (parent != kNoElement) {
        ++At(parent).childCount;
    }
    if (current_ != kNoElement) {
        At(element).next = At(current_).next;
        At(current_).next = element;
        if (last == current_) {
            last = element;
        }
        return;
    }
    if (last == kNoElement) {
        (parent == kNoElement ? index_.firstTop : At(parent).firstChild) = element;
    } else {
        At(last).next = element;
    }
    last = element;
}

bool CXmlDoc::AppendElement(std::wstring_view name) {
    return AppendElement(std::string_view(Utf8FromWide(name)));
}

bool CXmlDoc::AppendElement(std::string_view name) {
    if (!IsValidName(name) || !Fits(2 * name.size() + kEmptyTagExtra + kEndTagExtra + 8)) {
        return Refuse();
    }
    const std::int32_t parent = Parent();
    if (parent != kNoElement && At(parent).emptyTag) {
        return AppendFirstChild(name);
    }
    std::size_t position = 0;
    if (current_ != kNoElement) {
        // After the current element's line (its line break is "\r\n", or "\n" in a text
        // from elsewhere).
        position = StartOfCurrent() + At(current_).length;
        if (position + 1 < text_.Size() && text_.At(position) == '\r' &&
            text_.At(position + 1) == '\n') {
            position += kLineBreak.size();
        } else if (position < text_.Size() && text_.At(position) == '\n') {
            position += 1;
        }
    } else if (parent != kNoElement) {
        // At the end of the parent's content, before its end tag.
        const XmlElement& p = At(parent);
        const std::int64_t length = static_cast<std::int64_t>(p.length) + levels_.back().growth;
        position =
            ContentStart() - p.startTagLength + static_cast<std::size_t>(length) - p.endTagLength;
    } else {
        position = text_.Size();
    }

    const std::size_t lineLength = name.size() + kEmptyTagExtra + kLineBreak.size();
    char* out = text_.BeginInsert(position, lineLength);
    out = Put(out, "<");
    out = Put(out, name);
    out = Put(out, kEmptyTagClose);
    Put(out, kLineBreak);
    text_.EndInsert(lineLength);

    const auto id = static_cast<std::int32_t>(index_.elements.size());
    index_.elements.push_back(NewEmptyElement(name, position - ContentStart()));
    LinkAfterCurrent(id);
    GrewAfter(id, static_cast<std::int64_t>(lineLength));
    current_ = id;
    return true;
}

bool CXmlDoc::AppendElement(std::string_view name, const XmlNewAttribute* attributes,
                            std::size_t count) {
    if (!AppendElement(name)) {
        return false;
    }
    // One insertion for all of them when none can be refused or replace another; otherwise
    // one by one, as SetAttribute decides.
    std::size_t maxLength = 0;
    std::uint32_t names = 0;
    bool together = true;
    for (std::size_t i = 0; i < count && together; ++i) {
        const XmlNewAttribute& attribute = attributes[i];
        const std::uint32_t bit = AttributeNameBit(attribute.utf8Name);
        together = (names & bit) == 0 && IsValidName(attribute.utf8Name) &&
                   attribute.text.size() <= kMaxMarkupLength / kMaxEscapedLength;
        names |= bit;
        maxLength += attribute.utf8Name.size() + kAttributeExtra +
                     (attribute.isText ? attribute.text.size() * kMaxEscapedLength : kMaxIntLength);
    }
    if (!together || !Fits(maxLength)) {
        for (std::size_t i = 0; i < count; ++i) {
            const XmlNewAttribute& attribute = attributes[i];
            if (attribute.isText) {
                SetAttribute(attribute.utf8Name, attribute.text);
            } else {
                SetAttribute(attribute.utf8Name, attribute.number);
            }
        }
        return true;
    }
    InsertIntoStartTag(StartOfCurrent(), maxLength, [attributes, count](char* out) {
        for (std::size_t i = 0; i < count; ++i) {
            const XmlNewAttribute& attribute = attributes[i];
            out = PutAttribute(out, attribute.utf8Name, [&attribute](char* value) {
                if (attribute.isText) {
                    return WriteEscapedAttribute(value, attribute.text);
                }
                char digits[kMaxIntLength + 1];
                return Put(value, Decimal(attribute.number, digits));
            });
        }
        return out;
    });
    At(current_).attributeNames |= names;
    return true;
}

bool CXmlDoc::AppendFirstChild(std::string_view name) {
    // "<parent .../>" becomes "<parent ...>", a line break, the child's line and the parent's
    // end tag.
    Level& level = levels_.back();
    const std::int32_t parentId = level.element;
    XmlElement& parent = At(parentId);
    const std::size_t start = level.contentStart - parent.startTagLength;
    const std::string parentName(text_.View(start + 1, parent.nameLength));

    std::string replacement;
    replacement.reserve(name.size() + parentName.size() + 16);
    replacement.append(">").append(kLineBreak);
    replacement.append("<").append(name).append(kEmptyTagClose).append(kLineBreak);
    replacement.append("</").append(parentName).append(">");
    text_.Replace(level.contentStart - kEmptyTagClose.size(), kEmptyTagClose.size(), replacement);

    const auto id = static_cast<std::int32_t>(index_.elements.size());
    parent.startTagLength -= 1;  // "/>" became ">"
    parent.endTagLength = static_cast<std::uint32_t>(parentName.size() + kEndTagExtra);
    parent.emptyTag = false;
    parent.firstChild = id;
    parent.lastChild = id;
    parent.childCount = 1;
    level.contentStart -= 1;
    level.growth += static_cast<std::int64_t>(replacement.size()) -
                    static_cast<std::int64_t>(kEmptyTagClose.size());

    index_.elements.push_back(NewEmptyElement(name, kLineBreak.size()));
    current_ = id;
    ++revision_;
    return true;
}

std::size_t CXmlDoc::ChildCount() const {
    return current_ == kNoElement ? 0 : At(current_).childCount;
}

bool CXmlDoc::CurrentElementClosed() const {
    if (current_ == kNoElement) {
        return false;
    }
    const XmlElement& element = At(current_);
    if (element.emptyTag || element.endTagLength != 0) {
        return true;
    }
    // The parser looks only so deep for an end tag's start tag; an end tag it gave up on may
    // still close this element. Searched from the end, where an outer element's end tag is.
    const std::size_t start = StartOfCurrent();
    const std::string closing = "</" + std::string(text_.View(start + 1, element.nameLength));
    const std::size_t contentStart = start + element.startTagLength;
    const std::string_view after = text_.View(contentStart, text_.Size() - contentStart);
    for (std::size_t at = after.rfind(closing); at != std::string_view::npos;
         at = at == 0 ? std::string_view::npos : after.rfind(closing, at - 1)) {
        std::size_t end = at + closing.size();
        while (end < after.size() && IsMarkupBlank(after[end])) {
            ++end;
        }
        if (end < after.size() && after[end] == '>') {
            return true;
        }
    }
    return false;
}

bool CXmlDoc::EnterElement() {
    if (current_ == kNoElement) {
        return false;
    }
    // Filled in place: a level built aside and copied whole would be read back at once from
    // the narrower stores that wrote it, which stalls the processor on every element entered.
    const std::size_t contentStart = StartOfCurrent() + At(current_).startTagLength;
    Level& level = levels_.emplace_back();
    level.element = current_;
    level.contentStart = contentStart;
    level.growth = 0;
    current_ = kNoElement;
    return true;
}

bool CXmlDoc::LeaveElement() {
    if (levels_.empty()) {
        return false;
    }
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.growth != 0) {
        XmlElement& element = At(level.element);
        element.length = AddTo(element.length, level.growth);
        ShiftFollowing(level.element, level.growth);
        if (!levels_.empty()) {
            levels_.back().growth += level.growth;
        }
    }
    current_ = level.element;
    return true;
}

bool CXmlDoc::FindNextElement(std::wstring_view name) {
    return FindNextElement(std::string_view(Utf8FromWide(name)));
}

bool CXmlDoc::FindNextElement(std::string_view name) {
    const std::size_t contentStart = ContentStart();
    std::int32_t candidate = current_ != kNoElement ? At(current_).next : FirstChildOf(Parent());
    for (; candidate != kNoElement; candidate = At(candidate).next) {
        const XmlElement& element = At(candidate);
        if (element.nameLength == name.size() &&
            StartsWithName(text_.View(contentStart + element.offset + 1, element.nameLength).data(),
                           name)) {
            current_ = candidate;
            return true;
        }
    }
    return false;
}

bool CXmlDoc::NextElement() {
    const std::int32_t next = current_ != kNoElement ? At(current_).next : FirstChildOf(Parent());
    if (next == kNoElement) {
        return false;
    }
    current_ = next;
    return true;
}

CXmlDoc::Attributes CXmlDoc::ScannedAttributes(std::string_view tag) const {
    if (scannedElement_ != current_ || scannedRevision_ != revision_) {
        scannedAttributes_.clear();
        static_cast<void>(ScanStartTag(tag, scannedAttributes_));  // its end is known
        scannedElement_ = current_;
        scannedRevision_ = revision_;
    }
    Attributes attributes;
    attributes.tag = tag;
    attributes.scanned = scannedAttributes_.data();
    attributes.count = scannedAttributes_.size();
    return attributes;
}

inline CXmlDoc::Attributes CXmlDoc::AttributesOfCurrent(std::size_t start) const {
    // Parsed elements, which readers ask about, have theirs in the index: kept inline.
    const XmlElement& element = At(current_);
    const std::string_view tag = text_.View(start, element.startTagLength);
    if (!element.attributesIndexed) {
        return ScannedAttributes(tag);
    }
    Attributes attributes;
    attributes.tag = tag;
    attributes.packed = index_.attributes.data() + element.firstAttribute;
    attributes.count = element.attributeCount;
    return attributes;
}

std::optional<AttributeSpan> CXmlDoc::Find(const Attributes& attributes,
                                           std::string_view name) const {
    if (attributes.packed != nullptr) {
        const std::size_t i =
            FindSpan(attributes.packed, attributes.count, attributes.tag, name, nextAttributeHint_);
        if (i < attributes.count) {
            nextAttributeHint_ = i + 1;
            return attributes.packed[i].Unpacked();
        }
        return std::nullopt;
    }
    const std::size_t i =
        FindSpan(attributes.scanned, attributes.count, attributes.tag, name, nextAttributeHint_);
    if (i < attributes.count) {
        nextAttributeHint_ = i + 1;
        return attributes.scanned[i];
    }
    return std::nullopt;
}

inline std::string_view CXmlDoc::ValueOf(const Attributes& attributes,
                                         std::string_view name) const {
    // Readers only want the value: taken straight from the span, without unpacking it.
    if (attributes.packed != nullptr) {
        return FindValue(attributes.packed, attributes.count, attributes.tag, name,
                         nextAttributeHint_);
    }
    return FindValue(attributes.scanned, attributes.count, attributes.tag, name,
                     nextAttributeHint_);
}

std::optional<AttributeSpan> CXmlDoc::FindAttribute(std::size_t start,
                                                    std::string_view name) const {
    return Find(AttributesOfCurrent(start), name);
}

std::string_view CXmlDoc::RawAttribute(std::string_view name) const {
    if (current_ == kNoElement) {
        return {};
    }
    return ValueOf(AttributesOfCurrent(StartOfCurrent()), name);
}

std::wstring CXmlDoc::GetAttribute(std::wstring_view name) const {
    return GetAttribute(std::string_view(Utf8FromWide(name)));
}

std::wstring CXmlDoc::GetAttribute(std::string_view name) const {
    return UnescapeUtf8(RawAttribute(name));
}

int CXmlDoc::GetAttributeInt(std::wstring_view name) const {
    return GetAttributeInt(std::string_view(Utf8FromWide(name)));
}

int CXmlDoc::GetAttributeInt(std::string_view name) const {
    return ParseAttributeNumber(RawAttribute(name));
}

void CXmlDoc::GetAttributeInts(const std::string_view* names, int* values,
                               std::size_t count) const {
    if (current_ == kNoElement) {
        std::fill(values, values + count, 0);
        return;
    }
    // Missing attributes read as "", which reads 0.
    const Attributes attributes = AttributesOfCurrent(StartOfCurrent());
    if (attributes.packed != nullptr) {
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = ParseAttributeNumber(FindValue(
                attributes.packed, attributes.count, attributes.tag, names[i], nextAttributeHint_));
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = ParseAttributeNumber(ValueOf(attributes, names[i]));
    }
}

template <typename Write>
void CXmlDoc::InsertIntoStartTag(std::size_t start, std::size_t maxLength, Write write) {
    XmlElement& element = At(current_);
    // Before "/>" of an empty-element tag, before ">" of a start tag.
    const std::size_t position =
        start + element.startTagLength - (element.emptyTag ? kEmptyTagClose.size() : 1);
    char* const begin = text_.BeginInsert(position, maxLength);
    const auto length = static_cast<std::size_t>(write(begin) - begin);
    text_.EndInsert(length);

    element.startTagLength += static_cast<std::uint32_t>(length);
    element.length += static_cast<std::uint32_t>(length);
    element.attributesIndexed = false;
    GrewAfter(current_, static_cast<std::int64_t>(length));
}

template <typename WriteValue>
void CXmlDoc::InsertAttribute(std::size_t start, std::string_view name, std::size_t maxValueLength,
                              WriteValue writeValue) {
    InsertIntoStartTag(
        start, name.size() + kAttributeExtra + maxValueLength,
        [name, &writeValue](char* out) { return PutAttribute(out, name, writeValue); });
    At(current_).attributeNames |= AttributeNameBit(name);
}

bool CXmlDoc::ReplaceAttribute(std::size_t start, const AttributeSpan& span,
                               std::wstring_view value) {
    std::string replacement;
    if (!span.hasValue) {
        replacement = "=\"";
    } else if (!span.quoted) {
        replacement = "\"";
    }
    const std::size_t prefix = replacement.size();
    replacement.resize(prefix + value.size() * kMaxEscapedLength);
    char* const end = WriteEscapedAttribute(replacement.data() + prefix, value);
    replacement.resize(static_cast<std::size_t>(end - replacement.data()));
    if (!span.hasValue || !span.quoted) {
        replacement += "\"";
    }
    const std::size_t replaced = span.valueLength;
    text_.Replace(start + span.valueStart, replaced, replacement);
    const std::int64_t delta =
        static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(replaced);
    XmlElement& element = At(current_);
    element.startTagLength = AddTo(element.startTagLength, delta);
    element.length = AddTo(element.length, delta);
    element.attributesIndexed = false;
    GrewAfter(current_, delta);
    return true;
}

bool CXmlDoc::SetAttribute(std::wstring_view name, std::wstring_view value) {
    return SetAttribute(std::string_view(Utf8FromWide(name)), value);
}

bool CXmlDoc::SetAttribute(std::wstring_view name, int value) {
    return SetAttribute(std::string_view(Utf8FromWide(name)), value);
}

bool CXmlDoc::CanSetAttribute(std::string_view name, std::size_t maxValueLength) {
    return current_ != kNoElement && IsValidName(name) && maxValueLength <= kMaxMarkupLength &&
           Fits(name.size() + kAttributeExtra + maxValueLength);
}

bool CXmlDoc::SetAttribute(std::string_view name, std::wstring_view value) {
    if (value.size() > kMaxMarkupLength / kMaxEscapedLength ||
        !CanSetAttribute(name, value.size() * kMaxEscapedLength)) {
        return Refuse();
    }
    const std::size_t start = StartOfCurrent();
    if ((At(current_).attributeNames & AttributeNameBit(name)) != 0) {
        if (const std::optional<AttributeSpan> span = FindAttribute(start, name)) {
            return ReplaceAttribute(start, *span, value);
        }
    }
    InsertAttribute(start, name, value.size() * kMaxEscapedLength,
                    [value](char* out) { return WriteEscapedAttribute(out, value); });
    return true;
}

bool CXmlDoc::SetAttribute(std::string_view name, int value) {
    char digits[kMaxIntLength + 1];
    const std::string_view text = Decimal(value, digits);
    if (!CanSetAttribute(name, text.size())) {
        return Refuse();
    }
    if ((At(current_).attributeNames & AttributeNameBit(name)) != 0) {
        wchar_t wide[kMaxIntLength + 1];
        std::copy(text.begin(), text.end(), wide);
        return SetAttribute(name, std::wstring_view(wide, text.size()));  // may replace
    }
    // Digits need no escaping.
    InsertAttribute(StartOfCurrent(), name, text.size(),
                    [text](char* out) { return Put(out, text); });
    return true;
}

bool CXmlDoc::LoadFile(const std::filesystem::path& path, std::string* whyNot) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, kMaxDocumentFileBytes, bytes, error)) {
        text_.Clear();
        Parse();
        diagnostics_.clear();
        if (whyNot != nullptr) {
            *whyNot = std::move(error);
        }
        return false;
    }
    text_.Assign(DecodeDocumentBytes(std::move(bytes)));
    Parse();
    return true;
}

std::string CXmlDoc::EncodedText() const {
    return EncodeDocumentText(text_.Head(), text_.Tail());
}

bool CXmlDoc::SaveFile(const std::filesystem::path& path, std::string* whyNot) const {
    std::string error;
    const auto produce = [this](const ByteSink& sink) {
        return EncodeDocumentText(text_.Head(), text_.Tail(), sink);
    };
    if (!ReplaceFileContents(path, produce, error)) {
        if (whyNot != nullptr) {
            *whyNot = std::move(error);
        }
        return false;
    }
    return true;
}

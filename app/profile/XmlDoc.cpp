#include "profile/XmlDoc.h"

#include "model/WideText.h"
#include "profile/FileAccess.h"
#include "profile/XmlEscape.h"
#include "profile/XmlFileEncoding.h"

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";
// "<" name "/>" and "</" name ">" around a name.
constexpr std::size_t kEmptyTagExtra = 3;
constexpr std::size_t kEndTagExtra = 3;

bool IsValidName(std::wstring_view name) {
    if (name.empty()) {
        return false;
    }
    for (wchar_t c : name) {
        if (IsNameEnd(c) || c == L'<' || c == L'=' || c == L'"' || c == L'\'' || c == L'&' ||
            c == L'\0') {
            return false;
        }
    }
    return true;
}

std::uint32_t AddTo(std::uint32_t value, std::int64_t delta) {
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value) + delta);
}

}  // namespace

bool CXmlDoc::SetText(std::wstring text) {
    text_.Assign(std::move(text));
    ResetPosition();
    writeFailed_ = false;
    Edited();
    if (!ParseMarkup(text_.View(0, text_.Size()), index_, diagnostics_)) {
        text_.Clear();
        return false;
    }
    return diagnostics_.empty();
}

void CXmlDoc::ResetPosition() {
    parent_ = kNoElement;
    current_ = kNoElement;
}

std::size_t CXmlDoc::StartOf(std::int32_t element) const {
    std::size_t start = 0;
    for (std::int32_t e = element; e != kNoElement;) {
        const XmlElement& entry = At(e);
        start += entry.offset;
        e = entry.parent;
        if (e != kNoElement) {
            start += At(e).startTagLength;
        }
    }
    return start;
}

std::size_t CXmlDoc::ContentStartOf(std::int32_t parent) const {
    return parent == kNoElement ? 0 : StartOf(parent) + At(parent).startTagLength;
}

std::int32_t CXmlDoc::FirstChildOf(std::int32_t parent) const {
    return parent == kNoElement ? index_.firstTop : At(parent).firstChild;
}

std::int32_t& CXmlDoc::LastChildOf(std::int32_t parent) {
    return parent == kNoElement ? index_.lastTop : At(parent).lastChild;
}

void CXmlDoc::ShiftFollowing(std::int32_t element, std::int64_t delta) {
    for (std::int32_t e = At(element).next; e != kNoElement; e = At(e).next) {
        At(e).offset = AddTo(At(e).offset, delta);
    }
}

void CXmlDoc::Grow(std::int32_t element, std::int64_t delta) {
    for (std::int32_t e = element; e != kNoElement; e = At(e).parent) {
        At(e).length = AddTo(At(e).length, delta);
        ShiftFollowing(e, delta);
    }
}

bool CXmlDoc::Fits(std::size_t added) const {
    return text_.Size() <= kMaxMarkupLength && added <= kMaxMarkupLength - text_.Size();
}

std::wstring CXmlDoc::CurrentElementName() const {
    if (current_ == kNoElement) {
        return std::wstring();
    }
    return std::wstring(text_.View(StartOf(current_) + 1, At(current_).nameLength));
}

bool CXmlDoc::AppendElement(std::wstring_view name) {
    if (!IsValidName(name) || !Fits(2 * name.size() + kEmptyTagExtra + kEndTagExtra + 8)) {
        return Refuse();
    }
    if (parent_ != kNoElement && At(parent_).emptyTag) {
        return AppendFirstChild(name);
    }
    std::size_t position = 0;
    if (current_ != kNoElement) {
        // After the current element's line.
        position = StartOf(current_) + At(current_).length;
        if (text_.View(position, std::min(kLineBreak.size(), text_.Size() - position)) ==
            kLineBreak) {
            position += kLineBreak.size();
        }
    } else if (parent_ != kNoElement) {
        const XmlElement& parent = At(parent_);
        position = StartOf(parent_) + parent.length - parent.endTagLength;
    } else {
        position = text_.Size();
    }

    std::wstring line;
    line.reserve(name.size() + kEmptyTagExtra + kLineBreak.size());
    line.append(L"<").append(name).append(L"/>").append(kLineBreak);
    text_.Insert(position, line);

    XmlElement element;
    element.offset = static_cast<std::uint32_t>(position - ContentStartOf(parent_));
    element.length = static_cast<std::uint32_t>(name.size() + kEmptyTagExtra);
    element.startTagLength = element.length;
    element.nameLength = static_cast<std::uint32_t>(name.size());
    element.parent = parent_;
    element.attributeNames = 0;
    element.emptyTag = true;
    const auto id = static_cast<std::int32_t>(index_.elements.size());
    if (current_ != kNoElement) {
        element.next = At(current_).next;
        index_.elements.push_back(element);
        At(current_).next = id;
        if (LastChildOf(parent_) == current_) {
            LastChildOf(parent_) = id;
        }
    } else {
        index_.elements.push_back(element);
        std::int32_t& last = LastChildOf(parent_);
        if (last == kNoElement) {
            (parent_ == kNoElement ? index_.firstTop : At(parent_).firstChild) = id;
        } else {
            At(last).next = id;
        }
        LastChildOf(parent_) = id;
    }
    ShiftFollowing(id, static_cast<std::int64_t>(line.size()));
    if (parent_ != kNoElement) {
        Grow(parent_, static_cast<std::int64_t>(line.size()));
    }
    current_ = id;
    Edited();
    return true;
}

bool CXmlDoc::AppendFirstChild(std::wstring_view name) {
    // "<parent .../>" becomes "<parent ...>", a line break, the child's line and the parent's
    // end tag.
    const std::int32_t parentId = parent_;
    const std::size_t start = StartOf(parentId);
    XmlElement& parent = At(parentId);
    const std::wstring parentName(text_.View(start + 1, parent.nameLength));

    std::wstring replacement;
    replacement.reserve(name.size() + parentName.size() + 16);
    replacement.append(L">").append(kLineBreak);
    replacement.append(L"<").append(name).append(L"/>").append(kLineBreak);
    replacement.append(L"</").append(parentName).append(L">");
    constexpr std::size_t kEmptyTagClose = 2;  // "/>"
    text_.Replace(start + parent.startTagLength - kEmptyTagClose, kEmptyTagClose, replacement);

    const auto id = static_cast<std::int32_t>(index_.elements.size());
    parent.startTagLength -= 1;  // "/>" became ">"
    parent.endTagLength = static_cast<std::uint32_t>(parentName.size() + kEndTagExtra);
    parent.emptyTag = false;
    parent.firstChild = id;
    parent.lastChild = id;

    XmlElement child;
    child.offset = static_cast<std::uint32_t>(kLineBreak.size());
    child.length = static_cast<std::uint32_t>(name.size() + kEmptyTagExtra);
    child.startTagLength = child.length;
    child.nameLength = static_cast<std::uint32_t>(name.size());
    child.parent = parentId;
    child.attributeNames = 0;
    child.emptyTag = true;
    index_.elements.push_back(child);

    Grow(parentId,
         static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(kEmptyTagClose));
    current_ = id;
    Edited();
    return true;
}

bool CXmlDoc::EnterElement() {
    if (current_ == kNoElement) {
        return false;
    }
    parent_ = current_;
    current_ = kNoElement;
    return true;
}

bool CXmlDoc::LeaveElement() {
    if (parent_ == kNoElement) {
        return false;
    }
    current_ = parent_;
    parent_ = At(parent_).parent;
    return true;
}

bool CXmlDoc::FindNextElement(std::wstring_view name) {
    const std::size_t contentStart = ContentStartOf(parent_);
    std::int32_t candidate = current_ != kNoElement ? At(current_).next : FirstChildOf(parent_);
    for (; candidate != kNoElement; candidate = At(candidate).next) {
        const XmlElement& element = At(candidate);
        if (element.nameLength == name.size() &&
            text_.View(contentStart + element.offset + 1, element.nameLength) == name) {
            current_ = candidate;
            return true;
        }
    }
    return false;
}

const std::vector<CXmlDoc::AttributeSpan>& CXmlDoc::AttributesOf(std::int32_t element,
                                                                 std::size_t start) const {
    if (cachedElement_ == element && cachedRevision_ == revision_) {
        return attributeCache_;
    }
    attributeCache_.clear();
    cachedElement_ = element;
    cachedRevision_ = revision_;

    const XmlElement& entry = At(element);
    const std::wstring_view tag = text_.View(start, entry.startTagLength);
    std::size_t i = 1 + entry.nameLength;
    auto skipBlanks = [&tag](std::size_t at) {
        while (at < tag.size() && IsMarkupBlank(tag[at])) {
            ++at;
        }
        return at;
    };
    while (true) {
        i = skipBlanks(i);
        if (i >= tag.size() || tag[i] == L'>') {
            break;
        }
        if (tag[i] == L'/' || tag[i] == L'=' || tag[i] == L'"' || tag[i] == L'\'') {
            ++i;  // stray character between attributes
            continue;
        }
        AttributeSpan span;
        span.nameStart = static_cast<std::uint32_t>(i);
        while (i < tag.size() && !IsNameEnd(tag[i]) && tag[i] != L'=') {
            ++i;
        }
        span.nameLength = static_cast<std::uint32_t>(i - span.nameStart);
        span.valueStart = static_cast<std::uint32_t>(i);
        const std::size_t equals = skipBlanks(i);
        if (equals < tag.size() && tag[equals] == L'=') {
            std::size_t value = skipBlanks(equals + 1);
            span.hasValue = true;
            if (value < tag.size() && (tag[value] == L'"' || tag[value] == L'\'')) {
                const std::size_t close = tag.find(tag[value], value + 1);
                const std::size_t end = close == std::wstring_view::npos ? tag.size() - 1 : close;
                span.quoted = true;
                span.valueStart = static_cast<std::uint32_t>(value + 1);
                span.valueLength = static_cast<std::uint32_t>(end - value - 1);
                i = end + 1;
            } else {
                span.valueStart = static_cast<std::uint32_t>(value);
                while (value < tag.size() && !IsMarkupBlank(tag[value]) && tag[value] != L'>') {
                    ++value;
                }
                span.valueLength = static_cast<std::uint32_t>(value - span.valueStart);
                i = value;
            }
        }
        attributeCache_.push_back(span);
    }
    return attributeCache_;
}

const CXmlDoc::AttributeSpan* CXmlDoc::FindAttribute(std::int32_t element, std::size_t start,
                                                     std::wstring_view name) const {
    const std::vector<AttributeSpan>& spans = AttributesOf(element, start);
    if (spans.empty()) {
        return nullptr;
    }
    const std::wstring_view tag = text_.View(start, At(element).startTagLength);
    for (const AttributeSpan& span : spans) {
        if (tag.substr(span.nameStart, span.nameLength) == name) {
            return &span;
        }
    }
    return nullptr;
}

std::wstring_view CXmlDoc::RawAttribute(std::wstring_view name) const {
    if (current_ == kNoElement) {
        return {};
    }
    const std::size_t start = StartOf(current_);
    const AttributeSpan* span = FindAttribute(current_, start, name);
    if (span == nullptr) {
        return {};
    }
    return text_.View(start + span->valueStart, span->valueLength);
}

std::wstring CXmlDoc::GetAttribute(std::wstring_view name) const {
    return Unescape(RawAttribute(name));
}

int CXmlDoc::GetAttributeInt(std::wstring_view name) const {
    const std::wstring_view raw = RawAttribute(name);
    if (raw.find(L'&') == std::wstring_view::npos) {
        return ParseDecimal(raw);
    }
    return ParseDecimal(Unescape(raw));
}

bool CXmlDoc::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (current_ == kNoElement || !IsValidName(name)) {
        return Refuse();
    }
    std::wstring escaped;
    AppendEscapedAttribute(escaped, value);
    if (!Fits(escaped.size() + name.size() + 4)) {
        return Refuse();
    }
    const std::size_t start = StartOf(current_);
    const std::uint32_t nameBit = AttributeNameBit(name);
    if ((At(current_).attributeNames & nameBit) != 0) {
        if (const AttributeSpan* span = FindAttribute(current_, start, name)) {
            std::wstring replacement;
            if (!span->hasValue) {
                replacement.append(L"=\"").append(escaped).append(L"\"");
            } else if (!span->quoted) {
                replacement.append(L"\"").append(escaped).append(L"\"");
            } else {
                replacement = std::move(escaped);
            }
            const std::size_t replaced = span->valueLength;
            text_.Replace(start + span->valueStart, replaced, replacement);
            const std::int64_t delta =
                static_cast<std::int64_t>(replacement.size()) - static_cast<std::int64_t>(replaced);
            At(current_).startTagLength = AddTo(At(current_).startTagLength, delta);
            Grow(current_, delta);
            Edited();
            return true;
        }
    }
    std::wstring attribute;
    attribute.reserve(name.size() + escaped.size() + 4);
    attribute.append(L" ").append(name).append(L"=\"").append(escaped).append(L"\"");
    XmlElement& element = At(current_);
    // Before "/>" of an empty-element tag, before ">" of a start tag.
    const std::size_t position = start + element.startTagLength - (element.emptyTag ? 2 : 1);
    text_.Insert(position, attribute);
    element.startTagLength += static_cast<std::uint32_t>(attribute.size());
    element.attributeNames |= nameBit;
    Grow(current_, static_cast<std::int64_t>(attribute.size()));
    Edited();
    return true;
}

bool CXmlDoc::SetAttribute(std::wstring_view name, int value) {
    return SetAttribute(name, std::to_wstring(value));
}

bool CXmlDoc::LoadBytes(std::string_view bytes) {
    return SetText(DecodeDocumentBytes(bytes));
}

bool CXmlDoc::LoadFile(const std::filesystem::path& path, std::string* whyNot) {
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(path, kMaxDocumentFileBytes, bytes, error)) {
        SetText(std::wstring());
        diagnostics_.clear();
        if (whyNot != nullptr) {
            *whyNot = std::move(error);
        }
        return false;
    }
    LoadBytes(bytes);
    return true;
}

std::string CXmlDoc::EncodedText() const {
    return EncodeDocumentText(text_.Head(), text_.Tail());
}

bool CXmlDoc::SaveFile(const std::filesystem::path& path, std::string* whyNot) const {
    std::string error;
    if (!ReplaceFileContents(path, EncodedText(), error)) {
        if (whyNot != nullptr) {
            *whyNot = std::move(error);
        }
        return false;
    }
    return true;
}

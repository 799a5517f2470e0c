// The tolerant one-pass parser that builds the element index.
#include "profile/XmlElementIndex.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

namespace {

constexpr std::wstring_view kCommentOpen = L"<!--";
constexpr std::wstring_view kCommentClose = L"-->";
constexpr std::wstring_view kCDataOpen = L"<![CDATA[";
constexpr std::wstring_view kCDataClose = L"]]>";
constexpr std::wstring_view kInstructionOpen = L"<?";
constexpr std::wstring_view kInstructionClose = L"?>";
constexpr std::wstring_view kEndTagOpen = L"</";
constexpr std::wstring_view kDeclarationOpen = L"<!";

// How many open elements an end tag looks through for its start tag. Deeper mismatches are
// treated as stray end tags, so hostile nesting cannot make parsing quadratic.
constexpr std::size_t kEndTagSearchDepth = 256;

// Diagnostics kept for one text; a hostile text could otherwise produce one per character.
constexpr std::size_t kMaxDiagnostics = 100;

struct OpenElement {
    std::int32_t element;
    std::size_t start;  // absolute start in the text
};

class MarkupParser {
public:
    MarkupParser(std::wstring_view text, XmlElementIndex& index,
                 std::vector<std::wstring>& diagnostics)
        : text_(text), index_(index), diagnostics_(diagnostics) {}

    void Run();

private:
    bool StartsWith(std::size_t at, std::wstring_view prefix) const {
        return text_.compare(at, prefix.size(), prefix) == 0;
    }
    void Report(std::size_t at, std::wstring_view what) {
        if (diagnostics_.size() < kMaxDiagnostics) {
            diagnostics_.push_back(std::wstring(what) + L" at " + std::to_wstring(at));
        }
    }
    // Position after `close` searched from `from`, or npos when it never comes.
    std::size_t After(std::size_t from, std::wstring_view close) const {
        const std::size_t found = text_.find(close, from);
        return found == std::wstring_view::npos ? found : found + close.size();
    }

    std::size_t SkipDocumentType(std::size_t at) const;
    std::size_t StartTag(std::size_t at);
    std::size_t EndTag(std::size_t at);
    // Ends the open elements above `depth` on the stack at `end` (no end tag of their own).
    void EndUnended(std::size_t depth, std::size_t end);
    void Close(const OpenElement& open, std::size_t end, std::uint32_t endTagLength);
    void Link(std::int32_t element, std::int32_t parent);

    std::wstring_view text_;
    XmlElementIndex& index_;
    std::vector<std::wstring>& diagnostics_;
    std::vector<OpenElement> open_;
};

void MarkupParser::Run() {
    std::size_t at = 0;
    while (at < text_.size()) {
        const wchar_t* lessThan = std::wmemchr(text_.data() + at, L'<', text_.size() - at);
        if (lessThan == nullptr) {
            break;  // the rest is content
        }
        at = static_cast<std::size_t>(lessThan - text_.data());
        std::size_t next = std::wstring_view::npos;
        if (StartsWith(at, kCommentOpen)) {
            next = After(at + kCommentOpen.size(), kCommentClose);
        } else if (StartsWith(at, kCDataOpen)) {
            next = After(at + kCDataOpen.size(), kCDataClose);
        } else if (StartsWith(at, kInstructionOpen)) {
            next = After(at + kInstructionOpen.size(), kInstructionClose);
        } else if (StartsWith(at, kDeclarationOpen)) {
            next = SkipDocumentType(at);
        } else if (StartsWith(at, kEndTagOpen)) {
            next = EndTag(at);
        } else if (at + 1 < text_.size() && !IsNameEnd(text_[at + 1])) {
            next = StartTag(at);
        } else {
            Report(at, L"less-than sign that opens no markup");
            next = at + 1;
        }
        if (next == std::wstring_view::npos) {
            Report(at, L"unterminated markup");
            break;
        }
        at = next;
    }
    if (!open_.empty()) {
        Report(text_.size(), L"elements never ended");
        EndUnended(0, text_.size());
    }
    if (index_.firstTop == kNoElement) {
        Report(0, L"no element");
    }
}

std::size_t MarkupParser::SkipDocumentType(std::size_t at) const {
    // A document type declaration may hold an internal subset in brackets and quoted texts,
    // both of which may contain ">".
    int depth = 0;
    for (std::size_t i = at + kDeclarationOpen.size(); i < text_.size(); ++i) {
        const wchar_t c = text_[i];
        if (c == L'"' || c == L'\'') {
            const std::size_t close = text_.find(c, i + 1);
            if (close == std::wstring_view::npos) {
                return close;
            }
            i = close;
        } else if (c == L'[') {
            ++depth;
        } else if (c == L']') {
            depth = std::max(depth - 1, 0);
        } else if (c == L'>' && depth == 0) {
            return i + 1;
        }
    }
    return std::wstring_view::npos;
}

void MarkupParser::Link(std::int32_t element, std::int32_t parent) {
    std::int32_t& first =
        parent == kNoElement ? index_.firstTop : index_.elements[parent].firstChild;
    std::int32_t& last = parent == kNoElement ? index_.lastTop : index_.elements[parent].lastChild;
    if (last == kNoElement) {
        first = element;
    } else {
        index_.elements[static_cast<std::size_t>(last)].next = element;
    }
    last = element;
}

std::size_t MarkupParser::StartTag(std::size_t at) {
    std::size_t nameEnd = at + 1;
    while (nameEnd < text_.size() && !IsNameEnd(text_[nameEnd])) {
        ++nameEnd;
    }
    // The tag ends at the first ">" outside quoted attribute values.
    std::size_t i = nameEnd;
    for (; i < text_.size() && text_[i] != L'>'; ++i) {
        if (text_[i] == L'"' || text_[i] == L'\'') {
            const std::size_t close = text_.find(text_[i], i + 1);
            if (close == std::wstring_view::npos) {
                return close;
            }
            i = close;
        }
    }
    if (i >= text_.size()) {
        return std::wstring_view::npos;
    }
    const std::size_t tagEnd = i + 1;
    const bool emptyTag = text_[i - 1] == L'/' && i - 1 >= nameEnd;

    if (open_.empty() && index_.firstTop != kNoElement) {
        Report(at, L"second top-level element");
    }
    const std::int32_t parent = open_.empty() ? kNoElement : open_.back().element;
    std::size_t contentStart = 0;
    if (parent != kNoElement) {
        const XmlElement& p = index_.elements[static_cast<std::size_t>(parent)];
        contentStart = open_.back().start + p.startTagLength;
    }
    XmlElement element;
    element.offset = static_cast<std::uint32_t>(at - contentStart);
    element.startTagLength = static_cast<std::uint32_t>(tagEnd - at);
    element.nameLength = static_cast<std::uint32_t>(nameEnd - at - 1);
    element.parent = parent;
    element.emptyTag = emptyTag;
    element.length = element.startTagLength;
    const auto id = static_cast<std::int32_t>(index_.elements.size());
    index_.elements.push_back(element);
    Link(id, parent);
    if (!emptyTag) {
        open_.push_back({id, at});
    }
    return tagEnd;
}

void MarkupParser::Close(const OpenElement& open, std::size_t end, std::uint32_t endTagLength) {
    XmlElement& element = index_.elements[static_cast<std::size_t>(open.element)];
    element.length = static_cast<std::uint32_t>(end - open.start);
    element.endTagLength = endTagLength;
}

void MarkupParser::EndUnended(std::size_t depth, std::size_t end) {
    while (open_.size() > depth) {
        Close(open_.back(), end, 0);
        open_.pop_back();
    }
}

std::size_t MarkupParser::EndTag(std::size_t at) {
    const std::size_t nameStart = at + kEndTagOpen.size();
    std::size_t nameEnd = nameStart;
    while (nameEnd < text_.size() && !IsNameEnd(text_[nameEnd])) {
        ++nameEnd;
    }
    const std::size_t greaterThan = text_.find(L'>', nameEnd);
    if (greaterThan == std::wstring_view::npos) {
        return greaterThan;
    }
    const std::size_t tagEnd = greaterThan + 1;
    const std::wstring_view name = text_.substr(nameStart, nameEnd - nameStart);
    const std::size_t searched = std::min(open_.size(), kEndTagSearchDepth);
    for (std::size_t k = 1; k <= searched; ++k) {
        const std::size_t depth = open_.size() - k;
        const OpenElement& open = open_[depth];
        const XmlElement& element = index_.elements[static_cast<std::size_t>(open.element)];
        if (text_.compare(open.start + 1, element.nameLength, name) == 0 &&
            element.nameLength == name.size()) {
            if (k > 1) {
                Report(at, L"end tag closes elements that were never ended");
                EndUnended(depth + 1, at);
            }
            Close(open_.back(), tagEnd, static_cast<std::uint32_t>(tagEnd - at));
            open_.pop_back();
            return tagEnd;
        }
    }
    Report(at, L"end tag without a start tag");
    return tagEnd;
}

}  // namespace

std::uint32_t AttributeNameBit(std::wstring_view name) {
    std::uint32_t hash = 2166136261U;  // FNV-1a
    for (wchar_t c : name) {
        hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619U;
    }
    return 1U << (hash % 32U);
}

bool ParseMarkup(std::wstring_view text, XmlElementIndex& index,
                 std::vector<std::wstring>& diagnostics) {
    index.Clear();
    diagnostics.clear();
    if (text.size() > kMaxMarkupLength) {
        diagnostics.emplace_back(L"text too long");
        return false;
    }
    MarkupParser(text, index, diagnostics).Run();
    return true;
}

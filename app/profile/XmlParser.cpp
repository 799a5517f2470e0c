// The tolerant one-pass parser that builds the element index.
#include "profile/MarkupSyntax.h"
#include "profile/XmlElementIndex.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace profile {

namespace {

using namespace markup;

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
    MarkupParser(std::string_view text, XmlElementIndex& index,
                 std::vector<std::string>& diagnostics)
        : text_(text), index_(index), diagnostics_(diagnostics) {}

    void Run();

private:
    bool StartsWith(std::size_t at, std::string_view prefix) const {
        return text_.compare(at, prefix.size(), prefix) == 0;
    }
    void Report(std::size_t at, std::string_view what) {
        if (diagnostics_.size() < kMaxDiagnostics) {
            diagnostics_.push_back(std::string(what) + " at " + std::to_string(at));
        }
    }
    // Position after `close` searched from `from`, or npos when it never comes.
    std::size_t After(std::size_t from, std::string_view close) const {
        const std::size_t found = text_.find(close, from);
        return found == std::string_view::npos ? found : found + close.size();
    }

    std::size_t StartTagAt(std::size_t at);
    std::size_t EndTag(std::size_t at);
    // Ends the open elements above `depth` on the stack at `end` (no end tag of their own).
    void EndUnended(std::size_t depth, std::size_t end);
    void Close(const OpenElement& open, std::size_t end, std::uint32_t endTagLength);
    void Link(std::int32_t element, std::int32_t parent);

    std::string_view text_;
    XmlElementIndex& index_;
    std::vector<std::string>& diagnostics_;
    std::vector<OpenElement> open_;
};

void MarkupParser::Run() {
    std::size_t at = 0;
    const std::size_t size = text_.size();
    while (at < size) {
        // Most markup follows a line break: look at the next few characters before searching.
        while (at < size && text_[at] != '<' && IsMarkupBlank(text_[at])) {
            ++at;
        }
        if (at < size && text_[at] != '<') {
            const void* lessThan = std::memchr(text_.data() + at, '<', size - at);
            if (lessThan == nullptr) {
                break;  // the rest is content
            }
            at = static_cast<std::size_t>(static_cast<const char*>(lessThan) - text_.data());
        }
        if (at >= size) {
            break;
        }
        const char second = at + 1 < size ? text_[at + 1] : '\0';
        std::size_t next = std::string_view::npos;
        if (second == '/') {
            next = EndTag(at);
        } else if (second == '?') {
            next = After(at + kInstructionOpen.size(), kInstructionClose);
        } else if (second == '!') {
            if (StartsWith(at, kCommentOpen)) {
                next = After(at + kCommentOpen.size(), kCommentClose);
            } else if (StartsWith(at, kCDataOpen)) {
                next = After(at + kCDataOpen.size(), kCDataClose);
            } else {
                next = EndOfDocumentType(text_, at);
            }
        } else if (at + 1 < size && !IsNameEnd(second)) {
            next = StartTagAt(at);
        } else {
            Report(at, "less-than sign that opens no markup");
            next = at + 1;
        }
        if (next == std::string_view::npos) {
            Report(at, "unterminated markup");
            break;
        }
        at = next;
    }
    if (!open_.empty()) {
        Report(size, "elements never ended");
        EndUnended(0, size);
    }
    if (index_.firstTop == kNoElement) {
        Report(0, "no element");
    }
}

void MarkupParser::Link(std::int32_t element, std::int32_t parent) {
    std::int32_t& first =
        parent == kNoElement ? index_.firstTop : index_.elements[parent].firstChild;
    std::int32_t& last = parent == kNoElement ? index_.lastTop : index_.elements[parent].lastChild;
    if (parent != kNoElement) {
        ++index_.elements[static_cast<std::size_t>(parent)].childCount;
    }
    if (last == kNoElement) {
        first = element;
    } else {
        index_.elements[static_cast<std::size_t>(last)].next = element;
    }
    last = element;
}

std::size_t MarkupParser::StartTagAt(std::size_t at) {
    const std::size_t firstAttribute = index_.attributes.size();
    bool packedAll = true;
    const StartTag tag = ScanStartTag(text_.substr(at), index_.attributes, packedAll);
    if (tag.end == std::string_view::npos || !packedAll) {
        index_.attributes.resize(firstAttribute);  // an overlong tag is scanned when asked about
    }
    if (tag.end == std::string_view::npos) {
        return tag.end;
    }
    if (open_.empty() && index_.firstTop != kNoElement) {
        Report(at, "second top-level element");
    }
    const std::int32_t parent = open_.empty() ? kNoElement : open_.back().element;
    std::size_t contentStart = 0;
    if (parent != kNoElement) {
        const XmlElement& p = index_.elements[static_cast<std::size_t>(parent)];
        contentStart = open_.back().start + p.startTagLength;
    }
    // Filled in its place in the index rather than built aside and copied: the copy would read
    // back at once what was just written field by field, which stalls the processor.
    const auto id = static_cast<std::int32_t>(index_.elements.size());
    XmlElement& element = index_.elements.emplace_back();
    element.offset = static_cast<std::uint32_t>(at - contentStart);
    element.startTagLength = static_cast<std::uint32_t>(tag.end);
    element.length = element.startTagLength;
    element.nameLength = static_cast<std::uint32_t>(tag.nameLength);
    element.emptyTag = tag.emptyTag;
    element.firstAttribute = static_cast<std::uint32_t>(firstAttribute);
    element.attributeCount = static_cast<std::uint32_t>(index_.attributes.size() - firstAttribute);
    element.attributesIndexed = packedAll;
    Link(id, parent);
    if (!tag.emptyTag) {
        open_.push_back({id, at});
    }
    return at + tag.end;
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
    const std::size_t greaterThan = text_.find('>', nameEnd);
    if (greaterThan == std::string_view::npos) {
        return greaterThan;
    }
    const std::size_t tagEnd = greaterThan + 1;
    const std::string_view name = text_.substr(nameStart, nameEnd - nameStart);
    const std::size_t searched = std::min(open_.size(), kEndTagSearchDepth);
    for (std::size_t k = 1; k <= searched; ++k) {
        const std::size_t depth = open_.size() - k;
        const OpenElement& open = open_[depth];
        const XmlElement& element = index_.elements[static_cast<std::size_t>(open.element)];
        if (text_.compare(open.start + 1, element.nameLength, name) == 0 &&
            element.nameLength == name.size()) {
            if (k > 1) {
                Report(at, "end tag closes elements that were never ended");
                EndUnended(depth + 1, at);
            }
            Close(open_.back(), tagEnd, static_cast<std::uint32_t>(tagEnd - at));
            open_.pop_back();
            return tagEnd;
        }
    }
    Report(at, "end tag without a start tag");
    return tagEnd;
}

}  // namespace

bool ParseMarkup(std::string_view text, XmlElementIndex& index,
                 std::vector<std::string>& diagnostics) {
    index.Clear();
    diagnostics.clear();
    if (text.size() > kMaxMarkupLength) {
        diagnostics.emplace_back("text too long");
        return false;
    }
    // Room for what a profile holds, about one element per 50 bytes and one attribute per 10;
    // memory that stays unused is never touched.
    index.elements.reserve(text.size() / 48 + 16);
    index.attributes.reserve(text.size() / 8 + 16);
    MarkupParser(text, index, diagnostics).Run();
    return true;
}

}  // namespace profile

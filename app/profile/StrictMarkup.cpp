// The strict one-pass markup reader.
#include "profile/StrictMarkup.h"

#include "profile/MarkupSyntax.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace profile {

namespace {

using namespace markup;

// The position of the first byte from `at` on that ends a name (a blank, "/", ">") or may not
// be in one ("<", "=", quotes, "&"); the text's size when none does.
std::size_t NameEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && !Is(text[at], (kNameEnd | kNotInName))) {
        ++at;
    }
    return at;
}

// The position of the first `quote`, "<" or "&" from `at` on; the text's size when none comes.
std::size_t ValueStop(std::string_view text, std::size_t at, char quote) {
    const std::uint16_t stop =
        (quote == '"' ? kDoubleQuote : kSingleQuote) | kLessThan | kAmpersand;
    while (at < text.size() && !Is(text[at], stop)) {
        ++at;
    }
    return at;
}

// Thrown inside the reader to stop at the first problem; never leaves it.
struct Problem {
    std::size_t offset;
    const char* what;
};

class Reader {
public:
    Reader(std::string_view text, MarkupHandler& handler) : text_(text), handler_(handler) {
        attributes_.reserve(kMaxMarkupAttributes);
        open_.reserve(kMaxMarkupDepth);
    }

    MarkupOutcome Run();

private:
    [[noreturn]] void Fail(std::size_t offset, const char* what) const {
        throw Problem{offset, what};
    }
    bool At(std::size_t at, std::string_view prefix) const {
        return text_.compare(at, prefix.size(), prefix) == 0;
    }
    std::size_t SkipBlanks(std::size_t at) const {
        while (at < text_.size() && Is(text_[at], kBlank)) {
            ++at;
        }
        return at;
    }
    // The position after `close`, searched from `from`; a problem named `what` when it never
    // comes.
    std::size_t After(std::size_t from, std::string_view close, const char* what) const {
        const std::size_t found = text_.find(close, from);
        if (found == std::string_view::npos) {
            Fail(text_.size(), what);
        }
        return found + close.size();
    }

    // Outside the root element: blanks, comments, processing instructions and, before the
    // root, one document type declaration. Returns where the root's start tag begins (npos
    // after the root).
    std::size_t Prolog(std::size_t at, bool beforeRoot);
    std::size_t DocumentType(std::size_t at) const;
    // The start tag at `at` ("<" and a name character); returns the position after it.
    std::size_t StartTag(std::size_t at);
    // Hands a start tag read up to `end` to the handler.
    std::size_t Started(const MarkupElement& element, bool empty, std::size_t end);
    std::size_t Name(std::size_t at, const char* what) const;
    std::size_t AttributeValue(std::size_t at, MarkupAttribute& attribute) const;
    std::size_t EndTag(std::size_t at);
    // The root element's content up to and including the root's end tag.
    std::size_t Content(std::size_t at);

    // The last start tag of a name, kept for a few names: a document repeats tags word for
    // word (the empty lists of a profile's items), and a repeated tag is then taken as a whole
    // instead of being read again.
    struct LastTag {
        std::string_view name;
        std::string_view tag;  // from "<" to ">"
        std::vector<MarkupAttribute> attributes;
        bool empty = false;
    };
    static constexpr std::size_t kRememberedTags = 4;
    LastTag* Remembered(std::string_view name);

    std::string_view text_;
    MarkupHandler& handler_;
    std::vector<MarkupAttribute> attributes_;
    std::vector<std::string_view> open_;  // names of the open elements
    std::array<LastTag, kRememberedTags> lastTags_;
    std::size_t nextForgotten_ = 0;
    bool stopped_ = false;
};

Reader::LastTag* Reader::Remembered(std::string_view name) {
    for (LastTag& last : lastTags_) {
        if (SameName(last.name, name)) {
            return &last;
        }
    }
    return nullptr;
}

std::size_t Reader::DocumentType(std::size_t at) const {
    const std::size_t end = EndOfDocumentType(text_, at);
    if (end == std::string_view::npos) {
        Fail(text_.size(), "the file ends inside the document type declaration");
    }
    return end;
}

std::size_t Reader::Prolog(std::size_t at, bool beforeRoot) {
    bool documentTypeSeen = false;
    while (true) {
        at = SkipBlanks(at);
        if (at >= text_.size()) {
            if (beforeRoot) {
                Fail(at, "the file holds no element");
            }
            return std::string_view::npos;
        }
        if (text_[at] != '<') {
            Fail(at, beforeRoot ? "text before the root element" : "text after the root element");
        }
        if (At(at, "<?")) {
            at = After(at + 2, kInstructionClose, "the file ends inside a processing instruction");
        } else if (At(at, kCommentOpen)) {
            at = After(at + kCommentOpen.size(), kCommentClose, "the file ends inside a comment");
        } else if (beforeRoot && !documentTypeSeen && At(at, kDocumentTypeOpen)) {
            at = DocumentType(at);
            documentTypeSeen = true;
        } else if (beforeRoot) {
            return at;
        } else {
            Fail(at, "markup after the root element");
        }
    }
}

std::size_t Reader::Name(std::size_t at, const char* what) const {
    const std::size_t start = at;
    at = NameEnd(text_, at);
    const char first = start < text_.size() ? text_[start] : '\0';
    if (at == start || first == '-' || first == '.' || (first >= '0' && first <= '9')) {
        Fail(start, what);
    }
    return at;
}

std::size_t Reader::AttributeValue(std::size_t at, MarkupAttribute& attribute) const {
    const char quote = text_[at];
    const std::size_t start = at + 1;
    std::size_t i = start;
    const std::size_t size = text_.size();
    while (true) {
        i = ValueStop(text_, i, quote);
        if (i >= size) {
            Fail(size, "the file ends inside an attribute value");
        }
        const char c = text_[i];
        if (c == quote) {
            break;
        }
        if (c == '<') {
            Fail(i, "a \"<\" inside an attribute value");
        }
        attribute.hasReference = true;  // "&"
        ++i;
    }
    attribute.value = std::string_view(text_.data() + start, i - start);
    return i + 1;
}

std::size_t Reader::StartTag(std::size_t at) {
    if (open_.size() >= kMaxMarkupDepth) {
        Fail(at, "elements nested too deep");
    }
    const std::size_t nameStart = at + 1;
    std::size_t i = Name(nameStart, "a tag without a proper name");
    const std::string_view name(text_.data() + nameStart, i - nameStart);
    const std::size_t size = text_.size();
    MarkupElement element{name, nullptr, 0, at, false};
    bool empty = false;
    LastTag* last = Remembered(name);
    if (last != nullptr && last->tag.size() <= size - at &&
        std::memcmp(text_.data() + at, last->tag.data(), last->tag.size()) == 0) {
        element.attributes = last->attributes.data();
        element.count = last->attributes.size();
        element.repeatsLast = true;
        empty = last->empty;
        return Started(element, empty, at + last->tag.size());
    }
    attributes_.clear();
    while (true) {
        const std::size_t blanksStart = i;
        i = SkipBlanks(i);
        if (i >= size) {
            Fail(size, "the file ends inside a tag");
        }
        if (text_[i] == '>') {
            ++i;
            break;
        }
        if (text_[i] == '/') {
            if (i + 1 >= size) {
                Fail(size, "the file ends inside a tag");
            }
            if (text_[i + 1] != '>') {
                Fail(i, "a \"/\" inside a tag");
            }
            i += 2;
            empty = true;
            break;
        }
        if (i == blanksStart) {
            Fail(i, "attributes not separated by a blank");
        }
        if (attributes_.size() >= kMaxMarkupAttributes) {
            Fail(i, "too many attributes in one tag");
        }
        MarkupAttribute& attribute = attributes_.emplace_back();
        const std::size_t attributeStart = i;
        i = NameEnd(text_, i);
        attribute.name = std::string_view(text_.data() + attributeStart, i - attributeStart);
        if (attribute.name.empty() || (i < size && text_[i] != '=' && Is(text_[i], kNotInName))) {
            Fail(attributeStart, "an attribute without a proper name");
        }
        i = SkipBlanks(i);
        if (i >= size) {
            Fail(size, "the file ends inside a tag");
        }
        if (text_[i] != '=') {
            Fail(i, "an attribute without a value");
        }
        i = SkipBlanks(i + 1);
        if (i >= size) {
            Fail(size, "the file ends inside a tag");
        }
        if (!Is(text_[i], kQuote)) {
            Fail(i, "an attribute value without quotation marks");
        }
        i = AttributeValue(i, attribute);
        for (std::size_t k = 0; k + 1 < attributes_.size(); ++k) {
            if (SameName(attributes_[k].name, attribute.name)) {
                Fail(attributeStart, "an attribute given twice in one tag");
            }
        }
    }
    if (last == nullptr) {
        last = &lastTags_[nextForgotten_];
        nextForgotten_ = (nextForgotten_ + 1) % kRememberedTags;
    }
    last->name = name;
    last->tag = std::string_view(text_.data() + at, i - at);
    last->attributes.assign(attributes_.begin(), attributes_.end());
    last->empty = empty;
    element.attributes = attributes_.data();
    element.count = attributes_.size();
    return Started(element, empty, i);
}

std::size_t Reader::Started(const MarkupElement& element, bool empty, std::size_t end) {
    open_.push_back(element.name);
    if (!handler_.StartElement(element)) {
        stopped_ = true;
        return end;
    }
    if (empty) {
        open_.pop_back();
        if (!handler_.EndElement()) {
            stopped_ = true;
        }
    }
    return end;
}

std::size_t Reader::EndTag(std::size_t at) {
    const std::size_t nameStart = at + 2;
    std::size_t i = NameEnd(text_, nameStart);
    const std::string_view name(text_.data() + nameStart, i - nameStart);
    i = SkipBlanks(i);
    if (i >= text_.size()) {
        Fail(text_.size(), "the file ends inside an end tag");
    }
    if (text_[i] != '>') {
        Fail(i, "an end tag that does not end with \">\"");
    }
    if (!SameName(name, open_.back())) {
        Fail(at, "an end tag that does not match the element it closes");
    }
    open_.pop_back();
    if (!handler_.EndElement()) {
        stopped_ = true;
    }
    return i + 1;
}

std::size_t Reader::Content(std::size_t at) {
    const std::size_t size = text_.size();
    while (!open_.empty() && !stopped_) {
        // Most markup follows a line break: look at the next few characters before searching.
        while (at < size && text_[at] != '<' && Is(text_[at], kBlank)) {
            ++at;
        }
        if (at < size && text_[at] != '<') {
            const void* const lessThan = std::memchr(text_.data() + at, '<', size - at);
            at = lessThan == nullptr
                     ? size
                     : static_cast<std::size_t>(static_cast<const char*>(lessThan) - text_.data());
        }
        if (at + 1 >= size) {
            Fail(size, "the file ends before the root element is closed (it may be cut off)");
        }
        switch (text_[at + 1]) {
            case '/':
                at = EndTag(at);
                break;
            case '?':
                at = After(at + 2, kInstructionClose,
                           "the file ends inside a processing instruction");
                break;
            case '!':
                if (At(at, kCommentOpen)) {
                    at = After(at + kCommentOpen.size(), kCommentClose,
                               "the file ends inside a comment");
                } else if (At(at, kCDataOpen)) {
                    at = After(at + kCDataOpen.size(), kCDataClose,
                               "the file ends inside a CDATA section");
                } else {
                    Fail(at, "markup that is neither a comment nor a CDATA section");
                }
                break;
            default:
                at = StartTag(at);
                break;
        }
    }
    return at;
}

MarkupOutcome Reader::Run() {
    MarkupOutcome outcome;
    try {
        std::size_t at = Prolog(0, true);
        at = StartTag(at);
        at = Content(at);
        if (stopped_) {
            outcome.kind = MarkupOutcome::Kind::Stopped;
            outcome.offset = at;
            return outcome;
        }
        Prolog(at, false);
    } catch (const Problem& problem) {
        outcome.kind = MarkupOutcome::Kind::Malformed;
        outcome.offset = problem.offset;
        outcome.what = problem.what;
    }
    return outcome;
}

}  // namespace

MarkupOutcome ReadStrictMarkup(std::string_view text, MarkupHandler& handler) {
    // Characters first, so that the markup is read only as far as the text is sound; the
    // problem that comes first in the text is the one reported.
    std::string forbidden;
    const std::size_t bad = FirstForbiddenCharacter(text, forbidden);
    const std::string_view sound = bad == std::string_view::npos ? text : text.substr(0, bad);
    MarkupOutcome outcome = Reader(sound, handler).Run();
    if (bad != std::string_view::npos && outcome.kind != MarkupOutcome::Kind::Stopped &&
        (outcome.kind == MarkupOutcome::Kind::Complete || outcome.offset >= bad)) {
        outcome.kind = MarkupOutcome::Kind::Malformed;
        outcome.offset = bad;
        outcome.what = std::move(forbidden);
    }
    return outcome;
}

}  // namespace profile

#include "profile/MarkupWriter.h"

#include "profile/MarkupOutput.h"
#include "profile/XmlEscape.h"

#include <algorithm>

using namespace markup_output;

MarkupWriter::MarkupWriter(std::size_t expectedBytes) {
    text_.resize(expectedBytes);
}

char* MarkupWriter::Room(std::size_t maxLength) {
    if (maxLength > text_.size() - used_) {
        text_.resize(std::max(2 * text_.size(), used_ + maxLength));
    }
    return text_.data() + used_;
}

void MarkupWriter::Raw(std::string_view text) {
    Used(Put(Room(text.size()), text));
}

void MarkupWriter::CloseStartTag() {
    if (startTagOpen_) {
        char* out = Room(1 + kLineBreak.size());
        out = Put(out, ">");
        Used(Put(out, kLineBreak));
        startTagOpen_ = false;
    }
}

void MarkupWriter::StartElement(std::string_view name, const XmlNewAttribute* attributes,
                                std::size_t count) {
    CloseStartTag();
    std::size_t maxLength = 1 + name.size();
    for (std::size_t i = 0; i < count; ++i) {
        const XmlNewAttribute& attribute = attributes[i];
        maxLength += attribute.utf8Name.size() + kAttributeExtra +
                     (attribute.isText ? attribute.text.size() * kMaxEscapedLength : kMaxIntLength);
    }
    char* out = Put(Room(maxLength), "<");
    out = Put(out, name);
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
    Used(out);
    open_.push_back(name);
    startTagOpen_ = true;
}

void MarkupWriter::EndElement() {
    if (open_.empty()) {
        return;
    }
    const std::string_view name = open_.back();
    open_.pop_back();
    if (startTagOpen_) {
        startTagOpen_ = false;
        Used(Put(Put(Room(kEmptyTagClose.size() + kLineBreak.size()), kEmptyTagClose), kLineBreak));
        return;
    }
    char* out = Put(Room(name.size() + kEndTagExtra + kLineBreak.size()), "</");
    out = Put(out, name);
    out = Put(out, ">");
    Used(Put(out, kLineBreak));
}

std::string MarkupWriter::Finish() {
    while (!open_.empty()) {
        EndElement();
    }
    text_.resize(used_);
    used_ = 0;
    std::string text = std::move(text_);
    text_.clear();
    return text;
}

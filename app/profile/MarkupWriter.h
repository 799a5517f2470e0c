// MarkupWriter: writes a markup document front to back, in the form CXmlDoc gives what is
// appended to it, keeping nothing but the names of the elements still open. Saving a profile
// writes hundreds of thousands of elements that nothing reads again: building them as an
// editable document first would cost several times the writing.
#pragma once

#include "profile/XmlDoc.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class MarkupWriter {
public:
    // `expectedBytes`: the room made at once, so that a text of about that size is not moved
    // while it is written.
    explicit MarkupWriter(std::size_t expectedBytes = 0);

    // Text written as it is (an XML declaration with its line break).
    void Raw(std::string_view text);
    // Starts an element inside the one still open (or at the top level) with its attributes
    // in their order; it stays open until EndElement. `name` must outlive the element and be a
    // valid name: the writer's callers write only their own constant names.
    void StartElement(std::string_view name, const XmlNewAttribute* attributes = nullptr,
                      std::size_t count = 0);
    // Ends the innermost open element: an empty-element tag when nothing was written inside.
    void EndElement();
    // Ends what is still open and hands the text over; the writer is empty afterwards.
    std::string Finish();

private:
    char* Room(std::size_t maxLength);
    void Used(const char* end) { used_ = static_cast<std::size_t>(end - text_.data()); }
    void CloseStartTag();

    std::string text_;  // written up to used_; the rest is room
    std::size_t used_ = 0;
    std::vector<std::string_view> open_;
    bool startTagOpen_ = false;  // the last start tag still lacks its ">" or "/>"
};

// A wide text with a movable gap, for a document that is edited in place: edits near the
// previous one cost what they insert, not the length of the text after them. Writing a
// document adds one element after another just before the end tags of the open elements, so
// a whole document is written in time linear in its length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class GapText {
public:
    // Takes over the text; the gap starts at the end.
    void Assign(std::wstring text);
    void Clear() { Assign(std::wstring()); }

    std::size_t Size() const { return buffer_.size() - (gapEnd_ - gapStart_); }

    // Replaces `count` characters at `position` with `with`.
    void Replace(std::size_t position, std::size_t count, std::wstring_view with);
    void Insert(std::size_t position, std::wstring_view with) { Replace(position, 0, with); }

    // The characters [position, position + length) as one piece. Moves the gap out of the way
    // when it lies inside them, which costs at most `length` moved characters.
    std::wstring_view View(std::size_t position, std::size_t length) const;
    wchar_t At(std::size_t position) const {
        return buffer_[position < gapStart_ ? position : position + (gapEnd_ - gapStart_)];
    }

    // The text is Head() followed by Tail().
    std::wstring_view Head() const { return std::wstring_view(buffer_.data(), gapStart_); }
    std::wstring_view Tail() const {
        return std::wstring_view(buffer_.data() + gapEnd_, buffer_.size() - gapEnd_);
    }
    std::wstring Str() const;

private:
    void MoveGap(std::size_t position) const;
    void EnsureGap(std::size_t length);

    // The gap's place is not part of the text's value: reading may move it.
    mutable std::wstring buffer_;
    mutable std::size_t gapStart_ = 0;
    mutable std::size_t gapEnd_ = 0;
};

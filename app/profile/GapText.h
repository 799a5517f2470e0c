// A text with a movable gap, for a document that is edited in place: edits near the previous
// one cost what they insert, not the length of the text after them. Writing a document adds
// one element after another just before the end tags of the open elements, so a whole
// document is written in time linear in its length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace profile {

class GapText {
public:
    // Takes over the text; the gap starts at the end.
    void Assign(std::string text);
    void Clear() { Assign(std::string()); }
    // Makes room for a text of `size` bytes, so that growing to it moves nothing.
    void Reserve(std::size_t size);

    std::size_t Size() const { return buffer_.size() - (gapEnd_ - gapStart_); }

    // Replaces `count` bytes at `position` with `with`.
    void Replace(std::size_t position, std::size_t count, std::string_view with);
    void Insert(std::size_t position, std::string_view with) { Replace(position, 0, with); }

    // Inserting without an intermediate string: BeginInsert opens room for at most
    // `maxLength` bytes at `position` and returns where to write them; EndInsert takes the
    // number actually written. Nothing else may touch the text in between.
    char* BeginInsert(std::size_t position, std::size_t maxLength);
    void EndInsert(std::size_t length) { gapStart_ += length; }

    // The bytes [position, position + length) as one piece. Moves the gap out of the way when
    // it lies inside them, which costs at most `length` moved bytes. The view stays valid
    // until the text changes or another view moves the gap.
    std::string_view View(std::size_t position, std::size_t length) const {
        if (position < gapStart_ && position + length > gapStart_) {
            MoveGap(position + length);
        }
        const std::size_t start =
            position < gapStart_ ? position : position + (gapEnd_ - gapStart_);
        return std::string_view(buffer_.data() + start, length);
    }
    char At(std::size_t position) const {
        return buffer_[position < gapStart_ ? position : position + (gapEnd_ - gapStart_)];
    }

    // The text is Head() followed by Tail().
    std::string_view Head() const { return std::string_view(buffer_.data(), gapStart_); }
    std::string_view Tail() const {
        return std::string_view(buffer_.data() + gapEnd_, buffer_.size() - gapEnd_);
    }
    std::string Str() const;

private:
    void MoveGap(std::size_t position) const;
    void EnsureGap(std::size_t length);

    // The gap's place is not part of the text's value: reading may move it.
    mutable std::string buffer_;
    mutable std::size_t gapStart_ = 0;
    mutable std::size_t gapEnd_ = 0;
};

}  // namespace profile

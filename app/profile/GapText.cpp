#include "profile/GapText.h"

#include <algorithm>
#include <cstring>

namespace profile {

namespace {

// Room the gap gets beyond what an insertion needs when it grows: a few pages, small enough
// to stay in the cache until written.
constexpr std::size_t kMinimumGrowth = 16384;

// Moves a few bytes without the call a library move costs; the gap moves by a handful of
// bytes on most edits.
void MoveBytes(char* to, const char* from, std::size_t count) {
    constexpr std::size_t kShortMove = 16;
    if (count > kShortMove) {
        std::memmove(to, from, count);
    } else if (to < from) {
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = from[i];
        }
    } else {
        for (std::size_t i = count; i > 0; --i) {
            to[i - 1] = from[i - 1];
        }
    }
}

}  // namespace

void GapText::Assign(std::string text) {
    buffer_ = std::move(text);
    gapStart_ = buffer_.size();
    gapEnd_ = buffer_.size();
}

void GapText::MoveGap(std::size_t position) const {
    char* data = buffer_.data();
    if (position < gapStart_) {
        const std::size_t count = gapStart_ - position;
        MoveBytes(data + gapEnd_ - count, data + position, count);
        gapStart_ -= count;
        gapEnd_ -= count;
    } else if (position > gapStart_) {
        const std::size_t count = position - gapStart_;
        MoveBytes(data + gapStart_, data + gapEnd_, count);
        gapStart_ += count;
        gapEnd_ += count;
    }
}

void GapText::Reserve(std::size_t size) {
    // Capacity only: the room is filled as the text is written, so a generous estimate costs
    // nothing for the part that stays unused and the writing never waits on filling it.
    const std::size_t needed = size + (gapEnd_ - gapStart_);
    if (needed > buffer_.capacity()) {
        buffer_.reserve(needed);
    }
}

void GapText::EnsureGap(std::size_t length) {
    const std::size_t gap = gapEnd_ - gapStart_;
    if (gap >= length) {
        return;
    }
    const std::size_t oldSize = buffer_.size();
    const std::size_t tailLength = oldSize - gapEnd_;
    // The new room is zero-filled as the string grows, just before it is written, while it is
    // still in the cache; at least as much as the tail that moves, so that moving it costs no
    // more than the text inserted.
    const std::size_t needed = oldSize + (length - gap);
    std::size_t newSize = std::max(needed + kMinimumGrowth, oldSize + tailLength);
    if (newSize > buffer_.capacity()) {
        if (needed <= buffer_.capacity()) {
            newSize = buffer_.capacity();  // the reserved room first: growing copies everything
        } else {
            buffer_.reserve(std::max(newSize, 2 * buffer_.capacity()));
        }
    }
    buffer_.resize(newSize);
    std::memmove(buffer_.data() + newSize - tailLength, buffer_.data() + gapEnd_, tailLength);
    gapEnd_ = newSize - tailLength;
}

char* GapText::BeginInsert(std::size_t position, std::size_t maxLength) {
    MoveGap(position);
    EnsureGap(maxLength);
    return buffer_.data() + gapStart_;
}

void GapText::Replace(std::size_t position, std::size_t count, std::string_view with) {
    MoveGap(position);
    gapEnd_ += std::min(count, buffer_.size() - gapEnd_);
    EnsureGap(with.size());
    with.copy(buffer_.data() + gapStart_, with.size());
    gapStart_ += with.size();
}

std::string GapText::Str() const {
    std::string text;
    text.reserve(Size());
    text.append(Head());
    text.append(Tail());
    return text;
}

}  // namespace profile

#include "profile/GapText.h"

#include <algorithm>
#include <cstring>

namespace {

// Room the gap gets beyond what an insertion needs when the buffer grows.
constexpr std::size_t kMinimumGrowth = 4096;

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
    if (size > Size()) {
        EnsureGap(size - Size());
    }
}

void GapText::EnsureGap(std::size_t length) {
    if (gapEnd_ - gapStart_ >= length) {
        return;
    }
    const std::size_t oldSize = buffer_.size();
    const std::size_t tailLength = oldSize - gapEnd_;
    const std::size_t capacity = std::max(oldSize * 2, Size() + length + kMinimumGrowth);
    buffer_.resize(capacity);
    std::memmove(buffer_.data() + capacity - tailLength, buffer_.data() + gapEnd_, tailLength);
    gapEnd_ = capacity - tailLength;
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

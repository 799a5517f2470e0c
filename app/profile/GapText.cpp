#include "profile/GapText.h"

#include <algorithm>
#include <cwchar>

namespace {

// Room the gap gets beyond what an insertion needs when the buffer grows.
constexpr std::size_t kMinimumGrowth = 4096;

}  // namespace

void GapText::Assign(std::wstring text) {
    buffer_ = std::move(text);
    gapStart_ = buffer_.size();
    gapEnd_ = buffer_.size();
}

void GapText::MoveGap(std::size_t position) const {
    wchar_t* data = buffer_.data();
    if (position < gapStart_) {
        const std::size_t count = gapStart_ - position;
        std::wmemmove(data + gapEnd_ - count, data + position, count);
        gapStart_ -= count;
        gapEnd_ -= count;
    } else if (position > gapStart_) {
        const std::size_t count = position - gapStart_;
        std::wmemmove(data + gapStart_, data + gapEnd_, count);
        gapStart_ += count;
        gapEnd_ += count;
    }
}

void GapText::EnsureGap(std::size_t length) {
    if (gapEnd_ - gapStart_ >= length) {
        return;
    }
    const std::size_t tailLength = buffer_.size() - gapEnd_;
    const std::size_t capacity = std::max(buffer_.size() * 2, Size() + length + kMinimumGrowth);
    std::wstring grown(capacity, L'\0');
    std::wmemcpy(grown.data(), buffer_.data(), gapStart_);
    std::wmemcpy(grown.data() + capacity - tailLength, buffer_.data() + gapEnd_, tailLength);
    buffer_ = std::move(grown);
    gapEnd_ = capacity - tailLength;
}

void GapText::Replace(std::size_t position, std::size_t count, std::wstring_view with) {
    MoveGap(position);
    gapEnd_ += std::min(count, buffer_.size() - gapEnd_);
    EnsureGap(with.size());
    std::wmemcpy(buffer_.data() + gapStart_, with.data(), with.size());
    gapStart_ += with.size();
}

std::wstring_view GapText::View(std::size_t position, std::size_t length) const {
    if (position < gapStart_ && position + length > gapStart_) {
        MoveGap(position + length);
    }
    const std::size_t start = position < gapStart_ ? position : position + (gapEnd_ - gapStart_);
    return std::wstring_view(buffer_.data() + start, length);
}

std::wstring GapText::Str() const {
    std::wstring text;
    text.reserve(Size());
    text.append(Head());
    text.append(Tail());
    return text;
}

#include "ScrollBarGeometry.h"

#include <algorithm>

namespace skin {

long long ScrollRange(const ScrollState& state) {
    return static_cast<long long>(state.nMax) - state.nMin - state.nPage + 1;
}

int ScrollBarLayout::partStart(int part) const {
    switch (part) {
        case kPartLineUp:
            return 0;
        case kPartPageUp:
            return arrow;
        case kPartThumb:
            return thumbStart;
        case kPartPageDown:
            return thumbStart + thumbLength;
        case kPartLineDown:
            return length - arrow;
        default:
            return 0;
    }
}

int ScrollBarLayout::partEnd(int part) const {
    switch (part) {
        case kPartLineUp:
            return arrow;
        case kPartPageUp:
            return thumbStart;
        case kPartThumb:
            return thumbStart + thumbLength;
        case kPartPageDown:
            return length - arrow;
        case kPartLineDown:
            return length;
        default:
            return 0;
    }
}

int ScrollBarLayout::partAt(int along) const {
    if (along < 0) {
        return kPartNone;
    }
    if (along < arrow) {
        return kPartLineUp;
    }
    if (along < thumbStart) {
        return kPartPageUp;
    }
    if (along < thumbStart + thumbLength) {
        return kPartThumb;
    }
    if (along < length - arrow) {
        return kPartPageDown;
    }
    return kPartLineDown;
}

ScrollBarLayout LayOutScrollBar(int length, int cell, const ScrollState& state, bool dragging,
                                LayoutPurpose purpose) {
    ScrollBarLayout layout;
    layout.length = std::max(0, length);
    cell = std::max(0, cell);
    const long long free = std::max(0, layout.length - 2 * cell);
    layout.free = static_cast<int>(free);

    // The thumb shows the share of the range a page covers. An empty range (nMax below nMin)
    // and a page larger than the range have no share to show: no division, no overlong thumb.
    const long long span = static_cast<long long>(state.nMax) - state.nMin + 1;
    const long long page = std::max(0, state.nPage);
    long long thumb = span > 0 ? std::min(page * free / span, free) : 0;
    if (thumb < kMinThumbLength) {
        thumb = kMinThumbLength;
    }
    const long long range = ScrollRange(state);
    if (free < kMinThumbLength || (purpose == LayoutPurpose::Drawing && range <= 0)) {
        thumb = 0;
    }

    // Without room between them, the two arrows share the length.
    layout.arrow = free == 0 ? layout.length / 2 : cell;

    const long long room = free - thumb;
    const long long position = dragging ? state.nTrackPos : state.nPos;
    long long offset = range > 0 ? position * room / range : room / 2;
    offset = std::clamp(offset, 0LL, room);
    layout.thumbStart = layout.arrow + static_cast<int>(offset);
    layout.thumbLength = static_cast<int>(thumb);
    return layout;
}

int DraggedPosition(const ScrollBarLayout& hitLayout, const ScrollState& state, int startPosition,
                    int delta) {
    const long long range = ScrollRange(state);
    const long long room = hitLayout.free - hitLayout.thumbLength;
    const long long moved = room != 0 ? static_cast<long long>(delta) * range / room : 0;
    // With nothing to scroll the highest position is nMin itself: the thumb cannot move.
    const long long highest = std::max<long long>(range, state.nMin);
    return static_cast<int>(
        std::clamp(startPosition + moved, static_cast<long long>(state.nMin), highest));
}

}  // namespace skin

// Where the parts of a skinned scroll bar lie along its length, which part a point is on, and
// where a dragged thumb puts the position. Pure arithmetic over the bar's state, so the edge
// cases (no room for a thumb, nothing to scroll, a range that is empty) are checked alone.
#pragma once

namespace skin {

// The parts of a bar. A press on an arrow or the track sends the part's value to the parent as
// its scroll code; the thumb's value is the code of a thumb drag.
enum ScrollPart : int {
    kPartNone = -1,
    kPartLineUp = 0,    // up or left arrow
    kPartLineDown = 1,  // down or right arrow
    kPartPageUp = 2,    // track before the thumb
    kPartPageDown = 3,  // track after the thumb
    kPartThumb = 5,
};

// A bar's own copy of its scroll state. The position runs from nMin to the highest position
// nMax - nMin - nPage + 1; nTrackPos is -1 except while the thumb is dragged.
struct ScrollState {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = -1;
};

// The thumb is never shorter than this; with less room than this there is no thumb.
constexpr int kMinThumbLength = 6;

// The highest position: nMax - nMin - nPage + 1 (0 or less: everything is visible).
long long ScrollRange(const ScrollState& state);

// Extents along the bar (y of a vertical bar, x of a horizontal one), in control pixels.
struct ScrollBarLayout {
    int length = 0;       // the control's length
    int arrow = 0;        // each arrow's length
    int free = 0;         // room between the arrows
    int thumbStart = 0;   // from the control's start
    int thumbLength = 0;  // 0: no thumb

    // Start and end (exclusive) of a part along the bar; empty for kPartNone.
    int partStart(int part) const;
    int partEnd(int part) const;
    // The part at a distance along the bar; kPartNone before the start.
    int partAt(int along) const;
};

// What the layout is for. Drawn, a bar with nothing to scroll shows no thumb; hit-tested, it
// keeps a thumb that can be pressed but not moved.
enum class LayoutPurpose { Drawing, HitTest };

// The parts of a bar `length` long with arrows of `cell` pixels, its thumb at nTrackPos while
// `dragging` and at nPos otherwise. Never divides by zero and keeps every part inside the bar,
// whatever the state (an empty range, a page larger than the range, a position outside it).
ScrollBarLayout LayOutScrollBar(int length, int cell, const ScrollState& state, bool dragging,
                                LayoutPurpose purpose);

// The position a thumb drag gives: the position at the drag's start moved by `delta` pixels,
// in proportion of the range to the room the thumb can travel, kept within nMin and the
// highest position.
int DraggedPosition(const ScrollBarLayout& hitLayout, const ScrollState& state, int startPosition,
                    int delta);

}  // namespace skin

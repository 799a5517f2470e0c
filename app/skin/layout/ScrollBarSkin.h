// The skin picture of the scroll bars: a grid of square cells, nine columns (the arrows, thumb
// and track of a vertical bar, then of a horizontal bar, then one unused column) and three rows
// (normal, pointer over it, pressed; the track uses the first row only). Kept free of Qt so that
// the artwork generator draws the picture from the same grid the bars cut it along.
#pragma once

namespace skin::scrollbar_skin {

constexpr int kImage = 138;
// The picture the generator draws: cells of this side (the bars take theirs from the picture).
constexpr int kCellSize = 14;
constexpr int kColumnCount = 9;
constexpr int kRowCount = 3;

// Columns of a vertical bar; a horizontal bar uses the same order from kHorizontalOffset on.
enum Column : int {
    kColumnBackArrow = 0,     // up (or left)
    kColumnForwardArrow = 1,  // down (or right)
    kColumnThumb = 2,
    kColumnTrack = 3,
};
constexpr int kHorizontalOffset = 4;

enum Row : int {
    kRowNormal = 0,
    kRowHover = 1,
    kRowPressed = 2,
};

// A thumb keeps this many pixels of its cell at each end unstretched; the middle is tiled.
constexpr int kThumbCapLength = 3;

}  // namespace skin::scrollbar_skin

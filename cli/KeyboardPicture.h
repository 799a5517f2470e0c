// Draws the keyboard in a terminal with every key showing a number (its press count) on its
// heat colour (model/HeatScale.h). Without colour the same picture is drawn in plain text.
#pragma once

#include "model/HeatScale.h"

#include <array>
#include <string>
#include <vector>

namespace z9rt::cli {

// One key cap: its key number and its place in design pixels of the main window's picture.
struct KeyCap {
    int key;    // 1..82
    int row;    // 0..5, top to bottom
    int left;   // design x of the left edge
    int right;  // design x of the right edge
};

// The 82 key caps, row by row, left to right.
const std::vector<KeyCap>& KeyboardLayout();

using Rgb = model::HeatRgb;
using model::HeatColor;

// Short form of a count that fits a key cap: 999, 12345, 123k, 12.3M.
std::string ShortCount(long long count);

// `captions[k]` and `counts[k]` belong to key k (index 0 unused). Lines end with '\n'.
std::string DrawKeyboardPicture(const std::array<std::string, 83>& captions,
                                const std::array<long long, 83>& counts, bool colour);

}  // namespace z9rt::cli

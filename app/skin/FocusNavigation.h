// Where the keyboard focus goes among a window's elements. Tab and Shift+Tab go from stop to
// stop in table order, where the elements of one group (the keys of a keyboard, the rows of a
// list, the icons of a page) make one stop: Tab enters a group on its chosen element and leaves
// it for the next stop. The arrows go from an element to its nearest neighbour on that side.
#pragma once

#include <QRect>

#include <vector>

namespace skin::focus {

// An element that can take the focus, in table order.
struct Target {
    QRect area;
    // Elements with the same group above 0 make one Tab stop; 0: a stop of its own.
    int group = 0;
    // The element a group is entered on (the selected row, the chosen icon).
    bool chosen = false;
};

enum class Direction { Left, Right, Up, Down };

// The target Tab (forward) or Shift+Tab moves to from `current` (-1: none has the focus yet,
// which enters on the first stop or the last); `wrapped` tells whether it went round the end
// of the table. -1 when there are no targets.
int NextTabStop(const std::vector<Target>& targets, int current, bool forward, bool* wrapped);

// The nearest target on the side of `direction` from `current`, preferring those in line with
// it; -1 when there is none on that side.
int Neighbour(const std::vector<Target>& targets, int current, Direction direction);

}  // namespace skin::focus

#include "FocusNavigation.h"

#include <cstdlib>
#include <limits>

namespace skin::focus {
namespace {

// The Tab stops in table order: the index of an element of its own, or of the first element of
// a group.
std::vector<int> Stops(const std::vector<Target>& targets) {
    std::vector<int> stops;
    std::vector<int> groupsSeen;
    for (int index = 0; index < static_cast<int>(targets.size()); ++index) {
        const int group = targets[static_cast<std::size_t>(index)].group;
        if (group > 0) {
            bool seen = false;
            for (int other : groupsSeen) {
                seen = seen || other == group;
            }
            if (seen) {
                continue;
            }
            groupsSeen.push_back(group);
        }
        stops.push_back(index);
    }
    return stops;
}

// The element a stop is entered on: a group's chosen element, or its first.
int Entry(const std::vector<Target>& targets, int stop) {
    const int group = targets[static_cast<std::size_t>(stop)].group;
    if (group <= 0) {
        return stop;
    }
    for (int index = stop; index < static_cast<int>(targets.size()); ++index) {
        const Target& target = targets[static_cast<std::size_t>(index)];
        if (target.group == group && target.chosen) {
            return index;
        }
    }
    return stop;
}

// The position among the stops of the stop an element belongs to.
int StopOf(const std::vector<Target>& targets, const std::vector<int>& stops, int element) {
    const int group = targets[static_cast<std::size_t>(element)].group;
    for (int position = 0; position < static_cast<int>(stops.size()); ++position) {
        const int stop = stops[static_cast<std::size_t>(position)];
        if (stop == element ||
            (group > 0 && targets[static_cast<std::size_t>(stop)].group == group)) {
            return position;
        }
    }
    return 0;
}

bool SpansOverlap(int firstLow, int firstHigh, int secondLow, int secondHigh) {
    return firstLow <= secondHigh && secondLow <= firstHigh;
}

}  // namespace

int NextTabStop(const std::vector<Target>& targets, int current, bool forward, bool* wrapped) {
    *wrapped = false;
    const std::vector<int> stops = Stops(targets);
    if (stops.empty()) {
        return -1;
    }
    const int count = static_cast<int>(stops.size());
    if (current < 0 || current >= static_cast<int>(targets.size())) {
        return Entry(targets, stops[static_cast<std::size_t>(forward ? 0 : count - 1)]);
    }
    int position = StopOf(targets, stops, current) + (forward ? 1 : -1);
    if (position >= count || position < 0) {
        *wrapped = true;
        position = (position + count) % count;
    }
    return Entry(targets, stops[static_cast<std::size_t>(position)]);
}

int Neighbour(const std::vector<Target>& targets, int current, Direction direction) {
    if (current < 0 || current >= static_cast<int>(targets.size())) {
        return -1;
    }
    const QRect& from = targets[static_cast<std::size_t>(current)].area;
    const QPoint centre = from.center();
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    int best = -1;
    bool bestInLine = false;
    long long bestScore = std::numeric_limits<long long>::max();
    for (int index = 0; index < static_cast<int>(targets.size()); ++index) {
        if (index == current) {
            continue;
        }
        const QRect& to = targets[static_cast<std::size_t>(index)].area;
        const QPoint point = to.center();
        int along = 0;
        switch (direction) {
            case Direction::Left:
                along = centre.x() - point.x();
                break;
            case Direction::Right:
                along = point.x() - centre.x();
                break;
            case Direction::Up:
                along = centre.y() - point.y();
                break;
            case Direction::Down:
                along = point.y() - centre.y();
                break;
        }
        if (along <= 0) {
            continue;
        }
        const int across =
            horizontal ? std::abs(point.y() - centre.y()) : std::abs(point.x() - centre.x());
        // In line: the two overlap across the direction, as keys of a row or rows of a list
        // do. Those come first; the others only when none is in line, and only within 45
        // degrees of the direction (the end of a row goes nowhere).
        const bool inLine = horizontal
                                ? SpansOverlap(from.top(), from.bottom(), to.top(), to.bottom())
                                : SpansOverlap(from.left(), from.right(), to.left(), to.right());
        if (!inLine && across > along) {
            continue;
        }
        const long long score = inLine ? (static_cast<long long>(along) << 16) + across
                                       : static_cast<long long>(along) + 2LL * across;
        if ((inLine && !bestInLine) || (inLine == bestInLine && score < bestScore)) {
            best = index;
            bestInLine = inLine;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace skin::focus

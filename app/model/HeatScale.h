// The heat scale of press counts: dark grey for keys never pressed, then blue through green and
// yellow to red for the most pressed key. The command-line tool's picture and the main window's
// heat map colour keys alike through it.
#pragma once

#include <cstdint>

namespace model {

struct HeatRgb {
    int red, green, blue;

    friend bool operator==(const HeatRgb& a, const HeatRgb& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

// The colour of keys without presses (or without a count).
inline constexpr HeatRgb kHeatNone{58, 58, 62};

// The heat colour of `count` when the most pressed key has `highest` presses. Counts above
// `highest` take its colour; counts up to the keyboard's 32-bit limit and beyond are fine.
HeatRgb HeatColor(std::int64_t count, std::int64_t highest);

// The grey of text that reads on `background`: dark on light heat colours, light on dark ones.
int HeatInk(HeatRgb background);

// The lowest positive and the highest count of a set of keys' counts (negatives: no count);
// both 0 when no key has a positive count.
struct HeatRange {
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
};
HeatRange HeatRangeOf(const std::int64_t* counts, int count);

}  // namespace model

#include "model/HeatScale.h"

#include <algorithm>
#include <cmath>

namespace model {

HeatRgb HeatColor(std::int64_t count, std::int64_t highest) {
    if (count <= 0 || highest <= 0) {
        return kHeatNone;
    }
    // Counts spread over orders of magnitude; a logarithmic scale keeps rare keys visible.
    const double t = std::clamp(
        std::log1p(static_cast<double>(count)) / std::log1p(static_cast<double>(highest)), 0.0,
        1.0);
    static const HeatRgb stops[] = {
        {30, 60, 160}, {0, 150, 190}, {40, 170, 80}, {235, 200, 40}, {220, 50, 35}};
    const double scaled = t * 4.0;
    const int index = std::min(static_cast<int>(scaled), 3);
    const double f = scaled - index;
    const HeatRgb& a = stops[index];
    const HeatRgb& b = stops[index + 1];
    auto mix = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

int HeatInk(HeatRgb background) {
    const int luminance =
        (background.red * 299 + background.green * 587 + background.blue * 114) / 1000;
    return luminance > 140 ? 20 : 235;
}

HeatRange HeatRangeOf(const std::int64_t* counts, int count) {
    HeatRange range;
    for (int index = 0; index < count; ++index) {
        const std::int64_t value = counts[index];
        if (value <= 0) {
            continue;
        }
        range.highest = std::max(range.highest, value);
        range.lowest = range.lowest == 0 ? value : std::min(range.lowest, value);
    }
    return range;
}

}  // namespace model

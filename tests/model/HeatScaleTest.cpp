#include "model/HeatScale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using model::HeatRgb;

constexpr HeatRgb kCold{30, 60, 160};
constexpr HeatRgb kMiddle{40, 170, 80};
constexpr HeatRgb kHot{220, 50, 35};
constexpr std::int64_t kTopOf32Bits = 4294967295;

TEST(HeatScale, KnownCountsTakeTheirColours) {
    struct Case {
        std::int64_t count;
        std::int64_t highest;
        HeatRgb expected;
    };
    const Case cases[] = {
        {0, 1000, model::kHeatNone},           // never pressed
        {-926365496, 1000, model::kHeatNone},  // no count read
        {5, 0, model::kHeatNone},              // nothing pressed at all
        {1000, 1000, kHot},                    // the most pressed key
        {2000, 1000, kHot},                    // above the top stays at the top
        {9, 99, kMiddle},                      // halfway on the logarithmic scale
        {kTopOf32Bits, kTopOf32Bits, kHot},    // the keyboard's largest count
        {2147483648, 2147483648, kHot},        // 2^31 is a count like any other
        {65535, kTopOf32Bits, kMiddle},        // halfway between 0 and 2^32 - 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model::HeatColor(c.count, c.highest), c.expected)
            << c.count << " of " << c.highest;
    }
}

TEST(HeatScale, EveryTenfoldCountTakesAnotherColour) {
    const HeatRgb low = model::HeatColor(1, 1000000);
    EXPECT_GT(low.blue, low.red);  // rare keys are cold
    HeatRgb previous = model::kHeatNone;
    for (std::int64_t count = 1; count <= 1000000; count *= 10) {
        const HeatRgb colour = model::HeatColor(count, 1000000);
        EXPECT_FALSE(colour == previous) << count;
        previous = colour;
    }
    EXPECT_EQ(previous, kHot);
}

TEST(HeatScale, InkReadsOnEveryColour) {
    EXPECT_EQ(model::HeatInk(model::kHeatNone), 235);
    EXPECT_EQ(model::HeatInk(kCold), 235);
    EXPECT_EQ(model::HeatInk({235, 200, 40}), 20);  // yellow takes dark text
}

TEST(HeatScale, RangeIsTheLowestPositiveAndTheHighestCount) {
    struct Case {
        std::vector<std::int64_t> counts;
        std::int64_t lowest;
        std::int64_t highest;
    };
    const Case cases[] = {
        {{}, 0, 0},
        {{0, -926365496, 0}, 0, 0},
        {{7}, 7, 7},
        {{0, 12, 3, 90, -1}, 3, 90},
        {{kTopOf32Bits, 2147483648, 1}, 1, kTopOf32Bits},
    };
    for (const Case& c : cases) {
        const model::HeatRange range =
            model::HeatRangeOf(c.counts.data(), static_cast<int>(c.counts.size()));
        EXPECT_EQ(range.lowest, c.lowest);
        EXPECT_EQ(range.highest, c.highest);
    }
}

}  // namespace

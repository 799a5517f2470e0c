#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

namespace {

std::array<int, kCounterCount> Counters(std::initializer_list<std::pair<int, int>> keyValues) {
    std::array<int, kCounterCount> counters{};
    for (const auto& [key, value] : keyValues) {
        counters[static_cast<std::size_t>(key - 1)] = value;
    }
    return counters;
}

TEST(PressCounters, AllZeroGiveNoHighestAndNoLowest) {
    CKeyboardConfig config;
    config.ApplyPressCounters(Counters({}));
    EXPECT_EQ(config.highestKey, -1);
    EXPECT_EQ(config.lowestKey, -1);
    EXPECT_EQ(config.pressCounter[1], 0);
    EXPECT_EQ(config.pressCounter[0], kCounterNoData);  // index 0 is no key
}

TEST(PressCounters, ATieForTheHighestKeepsTheLowerKeyNumber) {
    CKeyboardConfig config;
    config.ApplyPressCounters(Counters({{7, 90}, {3, 90}, {50, 12}, {60, 40}}));
    EXPECT_EQ(config.highestKey, 3);
    EXPECT_EQ(config.lowestKey, 50);
    EXPECT_EQ(config.pressCounter[7], 90);
}

TEST(PressCounters, TheLowestCountsOnlyPositiveCounters) {
    CKeyboardConfig config;
    config.ApplyPressCounters(Counters({{1, -5}, {2, 0}, {30, 8}, {31, 8}, {82, 9}}));
    EXPECT_EQ(config.highestKey, 82);
    EXPECT_EQ(config.lowestKey, 30);

    // Key 1 is the starting candidate of both.
    config.ApplyPressCounters(Counters({{1, 4}, {2, 9}, {3, 4}}));
    EXPECT_EQ(config.highestKey, 2);
    EXPECT_EQ(config.lowestKey, 1);

    config.ApplyPressCounters(Counters({{1, -3}, {40, -1}}));
    EXPECT_EQ(config.highestKey, -1);
    EXPECT_EQ(config.lowestKey, -1);
}

TEST(PressCounters, InvalidatingForgetsEverything) {
    CKeyboardConfig config;
    config.ApplyPressCounters(Counters({{9, 3}}));
    config.InvalidatePressCounters();
    EXPECT_EQ(config.highestKey, -1);
    EXPECT_EQ(config.lowestKey, -1);
    EXPECT_EQ(config.pressCounter[9], kCounterNoData);
}

}  // namespace

#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

using model::CKeyboardConfig;
using model::kCounterNoData;
using model::KeyboardCounts;

namespace {

KeyboardCounts Counters(std::initializer_list<std::pair<int, std::uint32_t>> keyValues) {
    KeyboardCounts counters{};
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
    config.ApplyPressCounters(Counters({{2, 0}, {30, 8}, {31, 8}, {82, 9}}));
    EXPECT_EQ(config.highestKey, 82);
    EXPECT_EQ(config.lowestKey, 30);

    // Key 1 is the starting candidate of both.
    config.ApplyPressCounters(Counters({{1, 4}, {2, 9}, {3, 4}}));
    EXPECT_EQ(config.highestKey, 2);
    EXPECT_EQ(config.lowestKey, 1);
}

TEST(PressCounters, CountsOf2To31AndMoreAreTheHighest) {
    CKeyboardConfig config;
    config.ApplyPressCounters(Counters({{1, 3}, {5, 0xFFFFFFFFU}, {6, 0x80000000U}, {7, 10}}));
    EXPECT_EQ(config.pressCounter[5], 4294967295);
    EXPECT_EQ(config.pressCounter[6], 2147483648);
    EXPECT_EQ(config.highestKey, 5);
    EXPECT_EQ(config.lowestKey, 1);

    config.ApplyPressCounters(Counters({{40, 0x80000000U}, {41, 0x80000001U}}));
    EXPECT_EQ(config.highestKey, 41);
    EXPECT_EQ(config.lowestKey, 40);
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

// The key-definition table and its array layouts at the facade.
#include "SimulatedKeyboardFixture.h"

#include <vector>

namespace {

using KeyTable = SimulatedKeyboardTest;

std::vector<int> Get(COrvoHWI& device, int layer, int key, int capacity = 65536) {
    std::vector<int> array(static_cast<std::size_t>(std::max(capacity, 1)), -7);
    if (!device.getKeyConfiguration(layer, key, array.data(), capacity)) {
        return {};
    }
    return array;
}

std::vector<int> Prefix(const std::vector<int>& array, std::size_t count) {
    return std::vector<int>(array.begin(), array.begin() + static_cast<std::ptrdiff_t>(count));
}

TEST_F(KeyTable, PreparedTableReadsAsNoCodesEverywhere) {
    Open();
    const int combo[] = {0, 2, 67, 43};
    device.setKeyConfiguration(0, 46, combo, 4);
    EXPECT_TRUE(device.prepare());
    for (int layer = 0; layer < 3; ++layer) {
        for (int key = 1; key <= 82; ++key) {
            const std::vector<int> array = Get(device, layer, key);
            ASSERT_EQ(array.at(0), 0);
            ASSERT_EQ(array.at(1), 0);
            ASSERT_EQ(array.at(2), -7) << "nothing beyond the two zeros";
        }
    }
}

TEST_F(KeyTable, SetKeepsTheSecondDefinitionAndAnswersFalse) {
    Open();
    const int first[] = {0, 1, 4};
    const int second[] = {1, 300, 3, 4, 5, 6};
    EXPECT_FALSE(device.setKeyConfiguration(1, 10, first, 3));
    EXPECT_FALSE(device.setKeyConfiguration(1, 10, second, 6));
    EXPECT_EQ(Prefix(Get(device, 1, 10), 6), std::vector<int>({1, 300, 3, 4, 5, 6}));
}

TEST_F(KeyTable, MacroWithDelaysReadsBackElementForElement) {
    Open();
    // Play mode 1, cycles 0, delays, interval 0, three events: A, 50 ms, B, 70 ms, C.
    const std::vector<int> macro = {2, 1, 0, 1, 0, 3, 43, 50, 44, 70, 45};
    device.setKeyConfiguration(2, 82, macro.data(), static_cast<int>(macro.size()));
    const std::vector<int> back = Get(device, 2, 82);
    EXPECT_EQ(Prefix(back, macro.size()), macro);
    EXPECT_EQ(back.at(macro.size()), -7);
}

TEST_F(KeyTable, MacroWithoutDelaysReadsBackItsCodes) {
    Open();
    const std::vector<int> macro = {2, 0, 5, 0, 30, 4, 10, 11, 12, 13};
    device.setKeyConfiguration(0, 1, macro.data(), static_cast<int>(macro.size()));
    EXPECT_EQ(Prefix(Get(device, 0, 1), macro.size() + 1),
              std::vector<int>({2, 0, 5, 0, 30, 4, 10, 11, 12, 13, -7}));
}

TEST_F(KeyTable, UnknownSelectorOrPlayModeLeavesTheSlot) {
    Open();
    const int kept[] = {0, 1, 9};
    device.setKeyConfiguration(0, 5, kept, 3);
    const int selector3[] = {3, 1, 2};
    const int playMode3[] = {2, 3, 0, 0, 0, 1, 4};
    device.setKeyConfiguration(0, 5, selector3, 3);
    device.setKeyConfiguration(0, 5, playMode3, 7);
    EXPECT_EQ(Prefix(Get(device, 0, 5), 3), std::vector<int>({0, 1, 9}));
}

TEST_F(KeyTable, PositionsOutsideTheTableAreRefused) {
    Open();
    const int single[] = {0, 1, 4};
    for (const auto& [layer, key] : {std::pair{-1, 1}, {3, 1}, {0, 0}, {0, 83}}) {
        EXPECT_FALSE(device.setKeyConfiguration(layer, key, single, 3));
        int array[4] = {-7, -7, -7, -7};
        EXPECT_FALSE(device.getKeyConfiguration(layer, key, array, 4));
        EXPECT_EQ(array[0], -7);
    }
}

TEST_F(KeyTable, ADefinitionLargerThanTheCapacityWritesNothing) {
    Open();
    const std::vector<int> macro = {2, 0, 1, 1, 0, 3, 43, 50, 44, 70, 45};  // 11 elements
    device.setKeyConfiguration(0, 7, macro.data(), static_cast<int>(macro.size()));
    std::vector<int> array(12, -7);
    EXPECT_FALSE(device.getKeyConfiguration(0, 7, array.data(), 10));
    EXPECT_EQ(array, std::vector<int>(12, -7));
    EXPECT_TRUE(device.getKeyConfiguration(0, 7, array.data(), 11));
    EXPECT_EQ(array[10], 45);
    EXPECT_EQ(array[11], -7);
    // Even an empty slot needs room for its two zeros.
    EXPECT_FALSE(device.getKeyConfiguration(0, 8, array.data(), 1));
}

TEST_F(KeyTable, ClosedFacadeKeepsNoTable) {
    const int single[] = {0, 1, 4};
    EXPECT_FALSE(device.prepare());
    EXPECT_FALSE(device.setKeyConfiguration(0, 1, single, 3));
    int array[2] = {-7, -7};
    EXPECT_FALSE(device.getKeyConfiguration(0, 1, array, 2));
    EXPECT_EQ(array[0], -7);
}

}  // namespace

#include "KeyboardPicture.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace z9rt::cli {
namespace {

TEST(KeyboardPictureTest, LayoutHoldsEveryKeyOnceWithoutOverlap) {
    std::set<int> keys;
    for (const KeyCap& cap : KeyboardLayout()) {
        EXPECT_TRUE(keys.insert(cap.key).second) << cap.key;
        EXPECT_LT(cap.left, cap.right);
    }
    EXPECT_EQ(keys.size(), 82u);
    EXPECT_EQ(*keys.begin(), 1);
    EXPECT_EQ(*keys.rbegin(), 82);
}

TEST(KeyboardPictureTest, PlainPictureShowsCaptionsAndCountsInTheirRows) {
    std::array<std::string, 83> captions;
    std::array<long long, 83> counts{};
    for (int k = 1; k <= 82; ++k)
        captions[static_cast<std::size_t>(k)] = "k" + std::to_string(k);
    counts[1] = 7;
    counts[76] = 123456;
    std::string picture = DrawKeyboardPicture(captions, counts, false);
    std::vector<std::string> lines;
    std::istringstream in(picture);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 12u);                // two lines per key row
    EXPECT_EQ(lines[0].substr(0, 6), " k1   ");  // centred on its cap, one column of gap
    EXPECT_NE(lines[1].find('7'), std::string::npos);
    EXPECT_NE(lines[10].find("k76"), std::string::npos);  // the space bar, last row
    EXPECT_NE(lines[11].find("123k"), std::string::npos);
    EXPECT_EQ(picture.find('\x1b'), std::string::npos);
    // Colour adds escape sequences but no other text.
    EXPECT_NE(DrawKeyboardPicture(captions, counts, true).find("\x1b[48;2;"), std::string::npos);
}

TEST(KeyboardPictureTest, HeatRisesWithTheCount) {
    Rgb none = HeatColor(0, 1000);
    Rgb low = HeatColor(1, 1000);
    Rgb high = HeatColor(1000, 1000);
    EXPECT_EQ(none.red, none.green);  // grey for keys never pressed
    EXPECT_GT(low.blue, low.red);     // rare keys are blue
    EXPECT_GT(high.red, high.blue);   // the most pressed key is red
    EXPECT_EQ(ShortCount(99999), "99999");
    EXPECT_EQ(ShortCount(123456), "123k");
    EXPECT_EQ(ShortCount(12345678), "12.3M");
}

}  // namespace
}  // namespace z9rt::cli

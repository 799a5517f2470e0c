// Transfers on a facade that was never opened: every read fails, and a failed read leaves
// the configuration exactly as it was.
#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

namespace {

TEST(ClosedDevice, ReadsFailAndChangeNothing) {
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.ResetToDefaults();
    config.keyMode[5][1] = KindCombo;
    config.keyList[5][1].Append(L"A");
    config.lightColor[3] = {9, 8, 7};
    const CKeyboardProfile before = config;
    EXPECT_FALSE(config.ReadKeyAssignments(nullptr));
    EXPECT_FALSE(config.ReadLightColors());
    EXPECT_FALSE(config.FetchKeyAssignments(nullptr).has_value());
    EXPECT_FALSE(config.FetchLightColors().has_value());
    EXPECT_FALSE(config.WriteKeyAssignments(nullptr));
    EXPECT_EQ(static_cast<const CKeyboardProfile&>(config), before);
}

}  // namespace

#include "model/DefaultKeyTables.h"
#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

using model::CKeyboardConfig;
using model::DefaultHWCode;
using model::kCounterNoData;
using model::kFirstKeyNumber;
using model::KindFunction;
using model::KindNotSet;
using model::KindOfHWCode;
using model::KindSingle;
using model::kKeyIndexCount;
using model::kLastKeyNumber;
using model::kModelDeviceTypes;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;
using model::ModelName;
using model::RGBColor;

namespace {

class Defaults : public ::testing::TestWithParam<int> {};

TEST_P(Defaults, ResetToDefaultsGivesTheModelsTable) {
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.deviceType = GetParam();
    config.keyList[5][1].SizeOfView = 6;
    config.keyList[5][1].Append(L"A");
    config.predefinedCombo.Append(L"x");
    config.lightColor[0] = {1, 2, 3};
    config.currentLayer = 2;
    config.selectedKey = 17;
    config.keysDirty = 1;
    config.pressCounter[3] = 5;
    config.ResetToDefaults();

    for (int key = 0; key < kKeyIndexCount; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const int hw = config.keyHWCode[key][layer];
            EXPECT_EQ(hw, config.DefaultHWCode(key, layer));
            EXPECT_EQ(config.keyMode[key][layer], KindOfHWCode(hw));
            EXPECT_TRUE(config.keyList[key][layer].Empty());
        }
        EXPECT_EQ(config.lightColor[key], RGBColor{});
    }
    EXPECT_EQ(config.keyList[5][1].SizeOfView, 6);  // kept
    EXPECT_TRUE(config.predefinedCombo.Empty());
    EXPECT_EQ(config.predefinedMacro.SizeOfView, 9);
    EXPECT_EQ(config.predefinedCombo.SizeOfView, 6);
    EXPECT_EQ(config.predefinedEmu.SizeOfView, 9);
    // Settings and counters are not part of the defaults.
    EXPECT_EQ(config.currentLayer, 2);
    EXPECT_EQ(config.selectedKey, 17);
    EXPECT_EQ(config.keysDirty, 1);
    EXPECT_EQ(config.pressCounter[3], 5);
    EXPECT_EQ(config.language, "zh-CN");

    // Layer 0 is all single keys except the Fn key; key 0 is not set on every layer.
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        EXPECT_EQ(config.keyMode[key][LayerNoneFn], key == 78 ? KindFunction : KindSingle) << key;
        EXPECT_EQ(config.keyHWCode[key][LayerRightFn], config.keyHWCode[key][LayerLeftFn]);
    }
    for (int layer = 0; layer < kLayerCount; ++layer) {
        EXPECT_EQ(config.keyMode[0][layer], KindNotSet);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDeviceType, Defaults, ::testing::Values(0, 1, 2, 3, 4, 9));

TEST(DefaultTables, SmallerModelsLackSomeFnFunctions) {
    // Key 10 ("F9") on the right Fn layer: "BTD1" on the full models, nothing on Z9RT(S).
    EXPECT_EQ(DefaultHWCode(kDeviceTypeS, 10, LayerRightFn), 0);
    EXPECT_EQ(KindOfHWCode(DefaultHWCode(kDeviceTypeS, 10, LayerRightFn)), KindNotSet);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, 10, LayerRightFn), 168);
    EXPECT_EQ(KindOfHWCode(168), KindFunction);
    EXPECT_EQ(DefaultHWCode(kDeviceTypeSBle, 10, LayerRightFn), 168);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsm, 10, LayerLeftFn), 0);

    struct Expectation {
        int key;
        int prsmBle, sBle, s, prsm;  // layer 1 default per model
    };
    const Expectation rows[] = {
        {15, 136, 0, 0, 136},    {20, 137, 0, 0, 137},     {50, 171, 171, 0, 0},
        {64, 172, 172, 0, 0},    {76, 140, 0, 0, 140},     {80, 143, 0, 0, 143},
        {82, 142, 0, 0, 142},    {78, 156, 156, 156, 156}, {13, 167, 167, 0, 0},
        {2, 112, 112, 112, 112},
    };
    for (const Expectation& row : rows) {
        EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, row.key, 1), row.prsmBle) << row.key;
        EXPECT_EQ(DefaultHWCode(kDeviceTypeSBle, row.key, 1), row.sBle) << row.key;
        EXPECT_EQ(DefaultHWCode(kDeviceTypeS, row.key, 1), row.s) << row.key;
        EXPECT_EQ(DefaultHWCode(kDeviceTypePrsm, row.key, 1), row.prsm) << row.key;
    }
    // Layer 0 is the same on every model.
    for (int type : kModelDeviceTypes) {
        EXPECT_EQ(DefaultHWCode(type, 1, LayerNoneFn), 1);
        EXPECT_EQ(DefaultHWCode(type, 67, LayerNoneFn), 63);
        EXPECT_EQ(DefaultHWCode(type, 67, LayerRightFn), 203);
        EXPECT_EQ(DefaultHWCode(type, 82, LayerNoneFn), 90);
    }
}

TEST(DefaultTables, OutsideTheKeysAndLayersIsZero) {
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, 0, 0), 0);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, 83, 0), 0);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, -1, 0), 0);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, 1, 3), 0);
    EXPECT_EQ(DefaultHWCode(kDeviceTypePrsmBle, 1, -1), 0);
}

TEST(DefaultTables, ModelNames) {
    EXPECT_EQ(ModelName(0), L"Z9RT(PRSM)Ble");
    EXPECT_EQ(ModelName(1), L"Z9RT(PRSM)Ble");
    EXPECT_EQ(ModelName(2), L"Z9RT(S)Ble");
    EXPECT_EQ(ModelName(3), L"Z9RT(S)");
    EXPECT_EQ(ModelName(4), L"Z9RT(PRSM)");
    EXPECT_EQ(ModelName(-7), L"Z9RT(PRSM)Ble");
}

TEST(FreshConfiguration, StartsEmptyWithCountersWithoutData) {
    CKeyboardConfig config;
    EXPECT_TRUE(config.language.empty());
    EXPECT_TRUE(config.keyNames.empty());
    EXPECT_EQ(config.highestKey, -1);
    EXPECT_EQ(config.lowestKey, -1);
    for (int counter : config.pressCounter) {
        EXPECT_EQ(counter, kCounterNoData);
    }
    EXPECT_EQ(config.keyMode[1][0], 0);
    EXPECT_EQ(config.predefinedMacro.SizeOfView, 0);
    EXPECT_EQ(config.jobWindow, nullptr);
}

}  // namespace

// The conversions through the simulated keyboard: what the key write sends comes back from the
// read in its read-back form, colours and counters travel both ways, and a read that fails
// leaves the configuration as it was.
#include "RunTransferJob.h"
#include "SimulatedKeyboard.h"
#include "model/KeyboardConfig.h"
#include "model/WideText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::DelayItemText;
using model::IsKeyKind;
using model::kFirstKeyNumber;
using model::kHWCodeDoubleClick;
using model::KindCombo;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;
using model::KindSingle;
using model::kLastKeyNumber;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;
using model::RGBColor;
using model::TransferJobKind;

namespace {

using ::testing::ElementsAre;

CItemList ListOf(std::initializer_list<std::wstring> items, int sizeOfView) {
    CItemList list;
    list.SizeOfView = sizeOfView;
    for (const std::wstring& item : items) {
        list.Append(item);
    }
    return list;
}

std::unique_ptr<CKeyboardConfig> OpenConfig() {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    EXPECT_TRUE(config->device.__createDev());
    return config;
}

class DeviceRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle); }
    void TearDown() override {
        static_cast<void>(z9rt::sim::SetSimulatedKeyboardFaults(""));
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
    }

    // Writes `writer`'s assignments, then reads them into a configuration that starts from
    // the defaults with every HW code 7 and every list holding "old".
    std::unique_ptr<CKeyboardConfig> WriteAndReadBack(CKeyboardConfig& writer) {
        EXPECT_TRUE(RunTransferJob(TransferJobKind::WriteKeys, writer));
        writer.device.__closeDev();
        auto reader = OpenConfig();
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            for (int layer = 0; layer < kLayerCount; ++layer) {
                reader->keyHWCode[key][layer] = 7;
                reader->keyList[key][layer] = ListOf({L"old"}, 3);
            }
        }
        EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadAll, *reader));
        return reader;
    }
};

TEST_F(DeviceRoundTrip, SingleCodesComeBackByTheirRanges) {
    auto writer = OpenConfig();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            writer->keyMode[key][layer] = KindNotSet;
        }
    }
    const struct {
        int key;
        int kind;
        int hwCode;
        int readBackKind;
    } cases[] = {
        {1, KindSingle, 43, KindSingle},  {2, KindMultimedia, 113, KindMultimedia},
        {3, KindMouse, 158, KindMouse},   {4, KindFunction, 150, KindFunction},
        {5, KindPower, 76, KindPower},    {6, KindMouse, 199, KindMouse},
        {7, KindSingle, 0, KindSingle},   {8, KindFunction, 173, KindMouse},
        {9, KindSingle, 203, KindSingle},
    };
    for (const auto& c : cases) {
        writer->keyMode[c.key][LayerRightFn] = c.kind;
        writer->keyHWCode[c.key][LayerRightFn] = c.hwCode;
    }
    const auto reader = WriteAndReadBack(*writer);
    for (const auto& c : cases) {
        EXPECT_EQ(reader->keyMode[c.key][LayerRightFn], c.readBackKind) << c.key;
        EXPECT_EQ(reader->keyHWCode[c.key][LayerRightFn], c.hwCode) << c.key;
        // A single code leaves the key's list alone.
        EXPECT_THAT(reader->keyList[c.key][LayerRightFn].Items(), ElementsAre(L"old"));
    }
    // Keys that were not set come back not set, their HW code untouched.
    EXPECT_EQ(reader->keyMode[10][LayerNoneFn], KindNotSet);
    EXPECT_EQ(reader->keyHWCode[10][LayerNoneFn], 7);
}

TEST_F(DeviceRoundTrip, ListsComeBackInTheirReadBackForm) {
    auto writer = OpenConfig();
    // A combo of seven keys scrolls a view of six.
    writer->keyMode[5][LayerRightFn] = KindCombo;
    writer->keyList[5][LayerRightFn] =
        ListOf({L"LCTRL", L"LSHIFT", L"LALT", L"A", L"B", L"C", L"Ctrl&Caps Exchange"}, 2);
    // A macro with recorded delays.
    CItemList recorded = ListOf({L"A Down", DelayItemText(50), L"A UP"}, 4);
    recorded.Cycles = 3;
    writer->keyMode[46][LayerNoneFn] = KindMacro;
    writer->keyList[46][LayerNoneFn] = recorded;
    // A macro with a fixed interval, played while pressed (its cycles do not travel).
    CItemList fixed = ListOf({L"LSHIFT Down", L"B Down", L"B UP", L"LSHIFT UP"}, 4);
    fixed.IsAutoInterval = true;
    fixed.Delay = 25;
    fixed.PlayMode = 1;
    fixed.Cycles = 9;
    writer->keyMode[47][LayerLeftFn] = KindMacro;
    writer->keyList[47][LayerLeftFn] = fixed;
    // An emulation.
    CItemList emulation = ListOf({L"W", L"A"}, 4);
    emulation.Delay = 250;
    writer->keyMode[30][LayerNoneFn] = KindEmulation;
    writer->keyList[30][LayerNoneFn] = emulation;

    const auto reader = WriteAndReadBack(*writer);

    const CItemList& combo = reader->keyList[5][LayerRightFn];
    EXPECT_EQ(reader->keyMode[5][LayerRightFn], KindCombo);
    EXPECT_EQ(reader->keyHWCode[5][LayerRightFn], 7);  // the list form leaves it
    EXPECT_THAT(combo.Items(),
                ElementsAre(L"LCTRL", L"LSHIFT", L"LALT", L"A", L"B", L"C", L"Ctrl&Caps Exchange"));
    EXPECT_EQ(combo.SizeOfView, 6);
    EXPECT_EQ(combo.ViewStartAt, 1);
    EXPECT_EQ(combo.CursorPos, 5);

    const CItemList& macro = reader->keyList[46][LayerNoneFn];
    EXPECT_EQ(reader->keyMode[46][LayerNoneFn], KindMacro);
    EXPECT_THAT(macro.Items(), ElementsAre(L"A", L"<50 ms>", L"A"));
    EXPECT_FALSE(macro.IsAutoInterval);
    EXPECT_EQ(macro.Cycles, 3);
    EXPECT_EQ(macro.PlayMode, 0);
    EXPECT_EQ(macro.SizeOfView, 9);
    EXPECT_EQ(macro.CursorPos, 2);

    const CItemList& interval = reader->keyList[47][LayerLeftFn];
    EXPECT_THAT(interval.Items(), ElementsAre(L"LSHIFT", L"B", L"B", L"LSHIFT"));
    EXPECT_TRUE(interval.IsAutoInterval);
    EXPECT_EQ(interval.Delay, 25);
    EXPECT_EQ(interval.PlayMode, 1);
    EXPECT_EQ(interval.Cycles, 0);

    const CItemList& repeated = reader->keyList[30][LayerNoneFn];
    EXPECT_EQ(reader->keyMode[30][LayerNoneFn], KindEmulation);
    EXPECT_THAT(repeated.Items(), ElementsAre(L"W", L"A"));
    EXPECT_EQ(repeated.Delay, 250);
    EXPECT_EQ(repeated.SizeOfView, 9);
}

TEST_F(DeviceRoundTrip, TheKeyboardGetsTheCodesOfTheNames) {
    auto writer = OpenConfig();
    writer->keyMode[5][LayerRightFn] = KindCombo;
    writer->keyList[5][LayerRightFn] = ListOf({L"LCTRL", L"A"}, 6);
    writer->keyMode[46][LayerNoneFn] = KindMacro;
    writer->keyList[46][LayerNoneFn] = ListOf({L"A Down", DelayItemText(50), L"A UP"}, 9);
    writer->keyList[46][LayerNoneFn].Cycles = 3;
    writer->keyMode[60][LayerNoneFn] = KindMouse;
    writer->keyHWCode[60][LayerNoneFn] = kHWCodeDoubleClick;
    ASSERT_TRUE(RunTransferJob(TransferJobKind::WriteKeys, *writer));

    const z9rt::sim::SimulatedKeyboardState state = z9rt::sim::ReadSimulatedKeyboard();
    auto record = [&state](int layer, int key) {
        const auto& records =
            state.keyRecords.at(static_cast<std::size_t>(z9rt::sim::SimulatedSlot(layer, key)));
        return records.empty() ? z9rt::sim::KeyRecordBytes{} : records.front();
    };
    // Key record: 00 F0, layer 1..3, key, kind, then the kind's fields.
    const auto combo = record(LayerRightFn, 5);
    EXPECT_THAT(std::vector<int>(combo.begin(), combo.begin() + 9),
                ElementsAre(0x00, 0xF0, 2, 5, 0, 2, 67, 43, 0));
    // A macro with delays: cycles, delays flag, interval, body length, then per event the
    // code, 0xC8 and the delay after it.
    const auto macro = record(LayerNoneFn, 46);
    EXPECT_THAT(
        std::vector<int>(macro.begin(), macro.begin() + 20),
        ElementsAre(0x00, 0xF0, 1, 46, 2, 3, 1, 0, 0, 0, 8, 43, 0xC8, 0, 50, 43, 0xC8, 0, 0, 0));
    const auto doubleClick = record(LayerNoneFn, 60);
    EXPECT_THAT(std::vector<int>(doubleClick.begin(), doubleClick.begin() + 9),
                ElementsAre(0x00, 0xF0, 1, 60, 0, 2, 130, 130, 0));
}

TEST_F(DeviceRoundTrip, TheDefaultsTravelUnchanged) {
    auto writer = OpenConfig();
    const auto reader = WriteAndReadBack(*writer);
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const int hw = writer->keyHWCode[key][layer];
            if (hw == 0) {
                EXPECT_EQ(reader->keyMode[key][layer], KindNotSet) << key << "/" << layer;
            } else {
                EXPECT_EQ(reader->keyMode[key][layer], writer->keyMode[key][layer]) << key;
                EXPECT_EQ(reader->keyHWCode[key][layer], hw) << key;
            }
        }
    }
}

TEST_F(DeviceRoundTrip, AFactoryFreshKeyboardReadsAsTheModelsDefaults) {
    for (int model : {kDeviceTypePrsmBle, kDeviceTypeSBle, kDeviceTypeS, kDeviceTypePrsm}) {
        z9rt::sim::ResetSimulatedKeyboard(model);
        auto config = OpenConfig();
        config->deviceType = model;
        config->ResetToDefaults();
        const CKeyboardProfile defaults = *config;
        ASSERT_TRUE(RunTransferJob(TransferJobKind::ReadAll, *config));
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            for (int layer = 0; layer < kLayerCount; ++layer) {
                EXPECT_EQ(config->keyMode[key][layer], defaults.keyMode[key][layer])
                    << model << ": " << key << "/" << layer;
                EXPECT_EQ(config->keyHWCode[key][layer], defaults.keyHWCode[key][layer]);
            }
        }
    }
}

TEST_F(DeviceRoundTrip, NoiseAndMalformedRecordsChangeNothingOfWhatWasWritten) {
    auto writer = OpenConfig();
    writer->keyMode[5][LayerRightFn] = KindCombo;
    writer->keyList[5][LayerRightFn] = ListOf({L"LCTRL", L"A"}, 6);
    writer->keyMode[46][LayerNoneFn] = KindMacro;
    writer->keyList[46][LayerNoneFn] = ListOf({L"A Down", DelayItemText(50), L"A UP"}, 9);
    ASSERT_TRUE(RunTransferJob(TransferJobKind::WriteKeys, *writer));
    writer->device.__closeDev();

    ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("noise,malformed"));
    auto reader = OpenConfig();
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadAll, *reader));
    EXPECT_THAT(reader->keyList[5][LayerRightFn].Items(), ElementsAre(L"LCTRL", L"A"));
    EXPECT_THAT(reader->keyList[46][LayerNoneFn].Items(), ElementsAre(L"A", L"<50 ms>", L"A"));
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            EXPECT_TRUE(IsKeyKind(reader->keyMode[key][layer])) << key << "/" << layer;
        }
    }
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadLights, *reader));
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadCounters, *reader));
}

TEST_F(DeviceRoundTrip, ColoursTravelBothWays) {
    auto config = OpenConfig();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        config->lightColor[key] = {key, 255 - key, (key * 3) % 256};
    }
    EXPECT_TRUE(RunTransferJob(TransferJobKind::WriteLights, *config));
    const z9rt::sim::SimulatedKeyboardState state = z9rt::sim::ReadSimulatedKeyboard();
    ASSERT_EQ(state.light.size(), static_cast<std::size_t>(kLightAreaSize));
    EXPECT_EQ(state.light[3 * 40], 41);
    EXPECT_EQ(state.light[3 * 40 + 1], 255 - 41);
    EXPECT_EQ(state.light[3 * 40 + 2], 123);

    z9rt::sim::SetSimulatedLight(7, 1, 2, 3);
    config->lightColor[7] = {};
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadLights, *config));
    EXPECT_EQ(config->lightColor[7], (RGBColor{1, 2, 3}));
    EXPECT_EQ(config->lightColor[82], (RGBColor{82, 255 - 82, 246}));
}

TEST_F(DeviceRoundTrip, CountersGiveTheHighestAndLowestKeys) {
    auto config = OpenConfig();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        z9rt::sim::SetSimulatedCounter(key, 0);
    }
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadCounters, *config));
    EXPECT_EQ(config->highestKey, -1);
    EXPECT_EQ(config->lowestKey, -1);

    z9rt::sim::SetSimulatedCounter(9, 500);
    z9rt::sim::SetSimulatedCounter(4, 500);
    z9rt::sim::SetSimulatedCounter(60, 3);
    z9rt::sim::SetSimulatedCounter(61, 2);
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadCounters, *config));
    EXPECT_EQ(config->pressCounter[9], 500);
    EXPECT_EQ(config->highestKey, 4);  // the tie keeps the lower key number
    EXPECT_EQ(config->lowestKey, 61);

    // The keyboard counts unsigned 32-bit.
    z9rt::sim::SetSimulatedCounter(5, 4294967295U);
    z9rt::sim::SetSimulatedCounter(6, 2147483648U);
    EXPECT_TRUE(RunTransferJob(TransferJobKind::ReadCounters, *config));
    EXPECT_EQ(config->pressCounter[5], 4294967295);
    EXPECT_EQ(config->pressCounter[6], 2147483648);
    EXPECT_EQ(config->highestKey, 5);
    EXPECT_EQ(config->lowestKey, 61);
}

TEST_F(DeviceRoundTrip, ACounterReadThatFailsChangesNoCount) {
    // Cut off before the request, right after it, or never answered.
    for (const char* fault : {"unplug-after=0", "unplug-after=1", "silent"}) {
        auto config = OpenConfig();
        z9rt::sim::SetSimulatedCounter(9, 500);
        ASSERT_TRUE(RunTransferJob(TransferJobKind::ReadCounters, *config));
        const auto counts = config->pressCounter;
        const int highest = config->highestKey;
        const int lowest = config->lowestKey;
        z9rt::sim::SetSimulatedCounter(9, 1);
        z9rt::sim::SetSimulatedCounter(10, 800);
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(fault));
        EXPECT_FALSE(RunTransferJob(TransferJobKind::ReadCounters, *config)) << fault;
        EXPECT_EQ(config->pressCounter, counts) << fault;
        EXPECT_EQ(config->highestKey, highest) << fault;
        EXPECT_EQ(config->lowestKey, lowest) << fault;
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(""));
    }
}

TEST_F(DeviceRoundTrip, AReadThatFailsChangesNothing) {
    auto config = OpenConfig();
    config->keyMode[5][1] = KindCombo;
    config->keyList[5][1] = ListOf({L"A"}, 6);
    config->lightColor[3] = {9, 8, 7};
    const CKeyboardProfile before = *config;
    ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
    EXPECT_FALSE(RunTransferJob(TransferJobKind::ReadAll, *config));
    EXPECT_FALSE(RunTransferJob(TransferJobKind::ReadLights, *config));
    EXPECT_EQ(static_cast<const CKeyboardProfile&>(*config), before);
}

}  // namespace

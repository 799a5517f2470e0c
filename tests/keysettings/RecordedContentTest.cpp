// What the pages' recordings put into a key's slot is what a profile keeps and what the device
// library takes: the content travels unchanged through a profile document, and the key
// definition array holds the recorded keys' HW codes with the measured delays between them.
#include "MacroTestSupport.h"
#include "keysettings/logic/EmulationRecorder.h"
#include "keysettings/logic/MacroLimits.h"
#include "keysettings/logic/MacroRecorder.h"
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>

#include <memory>

using model::CItemList;
using model::CKeyboardConfig;
using model::EncodeKeyAssignment;
using model::KindEmulation;
using model::KindMacro;
using model::LayerNoneFn;
using model::LayerRightFn;
using profile::BuildProfileDocument;
using profile::CXmlDoc;
using profile::ReadProfileDocument;

namespace {

using keytest::kVkA;
using keytest::kVkB;

constexpr int kHWCodeA = 43;
constexpr int kHWCodeB = 60;
constexpr int kVkLeftShift = 0xA0;
constexpr int kHWCodeLeftShift = 55;

std::unique_ptr<CKeyboardConfig> Config() {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    return config;
}

// The configuration after saving it as a profile document and reading that back.
std::unique_ptr<CKeyboardConfig> ThroughProfile(const CKeyboardConfig& config) {
    CXmlDoc saved;
    BuildProfileDocument(config, config.deviceType, saved);
    CXmlDoc read;
    EXPECT_TRUE(read.LoadBytes(saved.Utf8Text()));
    auto loaded = Config();
    EXPECT_TRUE(ReadProfileDocument(read, *loaded).Ok());
    return loaded;
}

TEST(RecordedContent, AMacroOfFourteenEventsReachesProfileAndKeyboardAsRecorded) {
    auto config = Config();
    CItemList content;
    content.SizeOfView = 9;
    keysettings::MacroRecorder recorder(*config);
    recorder.Start(content);
    keytest::KeyFeed feed([&](int code, bool released, int elapsed) {
        recorder.OnKeyEvent(content, code, released, elapsed);
    });
    // Shift+A, B, A, B, A, B: fourteen events, 20 ms apart plus a little more each time.
    struct Step {
        int vk;
        bool release;
    };
    const Step steps[] = {{kVkLeftShift, false}, {kVkA, false}, {kVkA, true},  {kVkLeftShift, true},
                          {kVkB, false},         {kVkB, true},  {kVkA, false}, {kVkA, true},
                          {kVkB, false},         {kVkB, true},  {kVkA, false}, {kVkA, true},
                          {kVkB, false},         {kVkB, true}};
    int time = 1000;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        time += 20 + static_cast<int>(i);
        if (steps[i].release) {
            feed.Release(time, steps[i].vk);
        } else {
            feed.Press(time, steps[i].vk);
        }
    }
    recorder.Stop(content);
    ASSERT_EQ(content.Count(), 2 * 14);  // 14 events, 13 delays and the final one
    EXPECT_FALSE(keysettings::FitMacroForKeyboard(content, *config));

    config->keyMode[46][LayerNoneFn] = KindMacro;
    config->keyList[46][LayerNoneFn] = content;
    const auto loaded = ThroughProfile(*config);
    EXPECT_EQ(loaded->keyMode[46][LayerNoneFn], KindMacro);
    EXPECT_EQ(loaded->keyList[46][LayerNoneFn], content);

    const std::vector<int> array = EncodeKeyAssignment(KindMacro, 0, content, *config);
    const int codes[] = {kHWCodeLeftShift, kHWCodeA, kHWCodeA, kHWCodeLeftShift, kHWCodeB,
                         kHWCodeB,         kHWCodeA, kHWCodeA, kHWCodeB,         kHWCodeB,
                         kHWCodeA,         kHWCodeA, kHWCodeB, kHWCodeB};
    ASSERT_GE(array.size(), model::keyarray::kMacroFirstEvent + 2 * 14 - 1);
    EXPECT_EQ(array[model::keyarray::kSelector], model::keyarray::kSelectorMacro);
    EXPECT_EQ(array[model::keyarray::kMacroDelaysFlag], 1);
    EXPECT_EQ(array[model::keyarray::kMacroEventCount], 14);
    for (std::size_t e = 0; e < 14; ++e) {
        SCOPED_TRACE(testing::Message() << "event " << e);
        EXPECT_EQ(array[model::keyarray::kMacroFirstEvent + 2 * e], codes[e]);
        if (e + 1 < 14) {
            // The delay before event e + 1 is the time between the two messages.
            EXPECT_EQ(array[model::keyarray::kMacroFirstEvent + 2 * e + 1],
                      20 + static_cast<int>(e) + 1);
        }
    }
}

TEST(RecordedContent, AnEmulationOfThreeKeysReachesProfileAndKeyboardAsRecorded) {
    auto config = Config();
    CItemList content;
    content.SizeOfView = 9;
    content.Delay = 120;
    keysettings::EmulationRecorder recorder(*config);
    recorder.Start(content);
    for (int vk : {kVkA, kVkB, kVkA}) {
        recorder.OnKeyEvent(content, vk, false);
        recorder.OnKeyEvent(content, vk | keytest::kReleased, true);
    }
    recorder.Stop();

    config->keyMode[20][LayerRightFn] = KindEmulation;
    config->keyList[20][LayerRightFn] = content;
    const auto loaded = ThroughProfile(*config);
    EXPECT_EQ(loaded->keyList[20][LayerRightFn], content);

    EXPECT_EQ(EncodeKeyAssignment(KindEmulation, 0, content, *config),
              (std::vector<int>{model::keyarray::kSelectorRepeated, 120, 3, kHWCodeA, kHWCodeB,
                                kHWCodeA}));
}

}  // namespace

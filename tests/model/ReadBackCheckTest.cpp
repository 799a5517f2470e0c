#include "OrvoHWI.h"
#include "model/KeyboardConfig.h"
#include "model/ReadBackCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindCombo;
using model::KindNotSet;
using model::KindSingle;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;

using namespace model;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyB = 30;

void MakeCombo(CKeyboardProfile& profile, int key, int layer) {
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    profile.keyMode[k][l] = KindCombo;
    profile.keyList[k][l].Clear();
    profile.keyList[k][l].SetOrAppend(20000, L"LCTRL");
    profile.keyList[k][l].SetOrAppend(20000, L"A");
}

TEST(ReadBackCheck, OnlyWhatTheKeyboardStoresOtherwiseDiffers) {
    CKeyboardConfig tables;
    tables.deviceType = kDeviceTypePrsmBle;
    tables.BuildCodeTables();
    tables.ResetToDefaults();
    const CKeyboardProfile defaults = tables;

    struct Case {
        const char* name;
        std::function<void(CKeyboardProfile& written, CKeyboardProfile& readBack)> change;
        std::vector<model::KeySlot> keys;
        std::vector<int> colours;
    };
    const Case cases[] = {
        {"the same", [](CKeyboardProfile&, CKeyboardProfile&) {}, {}, {}},
        {"a combo that did not arrive",
         [](CKeyboardProfile& written, CKeyboardProfile&) {
             MakeCombo(written, kKeyA, LayerLeftFn);
         },
         {{kKeyA, LayerLeftFn}},
         {}},
        {"a combo that arrived",
         [](CKeyboardProfile& written, CKeyboardProfile& readBack) {
             MakeCombo(written, kKeyA, LayerNoneFn);
             MakeCombo(readBack, kKeyA, LayerNoneFn);
         },
         {},
         {}},
        {"another single key, and a colour",
         [](CKeyboardProfile& written, CKeyboardProfile& readBack) {
             written.keyMode[kKeyB][LayerRightFn] = KindSingle;
             written.keyHWCode[kKeyB][LayerRightFn] = written.keyHWCode[kKeyB][LayerNoneFn];
             readBack.keyMode[kKeyB][LayerRightFn] = KindSingle;
             readBack.keyHWCode[kKeyB][LayerRightFn] = written.keyHWCode[kKeyA][LayerNoneFn];
             readBack.lightColor[kKeyB] = {1, 2, 3};
         },
         {{kKeyB, LayerRightFn}},
         {kKeyB}},
        {"a slot that is not set is not written",
         [](CKeyboardProfile& written, CKeyboardProfile&) {
             written.keyMode[kKeyA][LayerNoneFn] = KindNotSet;
         },
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKeyboardProfile written = defaults;
        CKeyboardProfile readBack = defaults;
        c.change(written, readBack);
        EXPECT_EQ(model::DifferingKeySlots(written, readBack, tables), c.keys);
        EXPECT_EQ(model::DifferingColours(written, readBack), c.colours);
    }
}

}  // namespace

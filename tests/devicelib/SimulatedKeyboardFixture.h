// A fresh simulated keyboard of the first model, kept in memory only, with a recording poster.
#pragma once

#include "OrvoHWI.h"
#include "SimulatedKeyboard.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

class SimulatedKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        z9rt::sim::UseSimulatedStateFile("");
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
    }

    // Opens the facade (after the trace, when a test captures one).
    void Open() { ASSERT_TRUE(device.__createDev()); }

    testsupport::PostRecorder posts;
    COrvoHWI device;
};

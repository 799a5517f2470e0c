// The shared library seen from a program: the facade and the simulated keyboard's control are
// reachable through the exported interface alone.
#include "OrvoHWI.h"
#include "SimulatedKeyboard.h"

#include <gtest/gtest.h>

namespace {

// Like the program's own facade: a static object, destroyed after everything the library
// made on first use.
COrvoHWI facadeLivingUntilExit;

TEST(SharedLibrary, StaticFacadeClosesTheKeyboardAtExit) {
    // The firmware line leaves a change that only closing the connection writes to the state
    // file, which happens during static destruction, after this test has ended.
    z9rt::sim::UseSimulatedStateFile("static-facade-state.txt");
    z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
    ASSERT_TRUE(facadeLivingUntilExit.__createDev());
    ASSERT_TRUE(facadeLivingUntilExit.WriteFirmwareToKeyboard(":00000001FF\r\n", 13, nullptr));
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().firmwareLinesAccepted, 1);
}

TEST(SharedLibrary, ProgramDrivesTheSimulatedKeyboard) {
    z9rt::sim::UseSimulatedStateFile("");
    z9rt::sim::ResetSimulatedKeyboard(kDeviceTypeSBle);
    COrvoHWI device;
    EXPECT_EQ(device.DetectDeviceType(), kDeviceTypeSBle);
    const std::vector<KeyboardInterface> keyboards = ListKeyboards();
    ASSERT_EQ(keyboards.size(), 1u);  // among the simulated interfaces, only the keyboard's
    EXPECT_EQ(keyboards[0].deviceType, kDeviceTypeSBle);
    EXPECT_FALSE(keyboards[0].path.empty());
    ASSERT_TRUE(device.__createDev());
    EXPECT_STREQ(device.getHardwareVersion(), L"Z9RT(S)Ble V2.15 SIM");

    z9rt::sim::SetSimulatedCounter(3, 1234);
    std::vector<int> counters(kCounterCount);
    ASSERT_TRUE(device.getPressCounterFromDev(counters.data()));
    EXPECT_EQ(counters[2], 1234);

    const int combo[] = {0, 2, 67, 43};
    device.prepare();
    device.setKeyConfiguration(1, 46, combo, 4);
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    const z9rt::sim::SimulatedKeyboardState state = z9rt::sim::ReadSimulatedKeyboard();
    const auto& records = state.keyRecords[z9rt::sim::SimulatedSlot(1, 46)];
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0][5], 2);
    EXPECT_EQ(records[0][6], 67);
    EXPECT_EQ(state.reportsSeen, 1 + 1 + 248);

    EXPECT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("busy"));
    COrvoHWI second;
    ASSERT_TRUE(second.__createDev());
    wchar_t version[kVersionTextLength];
    EXPECT_FALSE(second.ReadKeyboardVersion(version));
}

// The program's key capture where no key source runs: it asks whether the hook captures
// desktop-wide and feeds keystrokes itself, all through the exported interface.
TEST(SharedLibrary, ProgramFeedsTheHookWhereNothingCapturesDesktopWide) {
    constexpr int kLinuxKeyA = 30;
    InstallHook(nullptr);
    EXPECT_FALSE(IsHookInstalled());  // the tests run with Z9RT_HOOK_INPUT=none
    EXPECT_TRUE(FeedHookKey(kLinuxKeyA, 1));
    EXPECT_TRUE(IsHookKeyDown('A'));
    UninstallHook();
    EXPECT_FALSE(FeedHookKey(kLinuxKeyA, 0));
}

}  // namespace

// The facade's life cycle, discovery and version, and the keyboard's faults as the facade sees
// them.
#include "SimulatedKeyboardFixture.h"

namespace {

using testsupport::TraceCapture;
using Facade = SimulatedKeyboardTest;
using Faults = SimulatedKeyboardTest;

TEST_F(Facade, DetectsEachModel) {
    for (int model = 1; model <= 4; ++model) {
        z9rt::sim::ResetSimulatedKeyboard(model);
        EXPECT_TRUE(device.DetectDevice());
        EXPECT_EQ(device.DetectDeviceType(), model);
    }
}

TEST_F(Facade, ClosedFacadeTouchesNoDevice) {
    TraceCapture trace;
    wchar_t version[kVersionTextLength] = L"untouched";
    EXPECT_FALSE(device.ReadKeyboardVersion(version));
    EXPECT_STREQ(version, L"untouched");
    EXPECT_STREQ(device.getHardwareVersion(), L"");
    EXPECT_FALSE(device.writeKeyConfigurationToDev(testsupport::TestWindow()));
    EXPECT_FALSE(device.readKeyDefinationFromDev(testsupport::TestWindow()));
    std::vector<int> area(246, 1);
    EXPECT_FALSE(device.setKeyboardLightArea(area.data()));
    EXPECT_FALSE(device.getKeyboardLightArea(area.data()));
    EXPECT_FALSE(device.readKeyLightFromDev());
    EXPECT_FALSE(device.getPressCounterFromDev(area.data()));
    EXPECT_EQ(area, std::vector<int>(246, 1));
    EXPECT_FALSE(device.WriteFirmwareToKeyboard(":00000001FF\r\n", 13, testsupport::TestWindow()));
    EXPECT_TRUE(device.__closeDev());
    EXPECT_TRUE(trace.Lines().empty());
    EXPECT_TRUE(posts.Posts().empty());
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().reportsSeen, 0);
}

TEST_F(Facade, VersionTextDiffersByModel) {
    TraceCapture trace;
    Open();
    wchar_t version[kVersionTextLength];
    ASSERT_TRUE(device.ReadKeyboardVersion(version));
    EXPECT_STREQ(version, L"Z9RT(PRSM)Ble V2.31 SIM");
    EXPECT_EQ(trace.Sent(), std::vector<std::string>({"00 f9"}));
    ASSERT_EQ(trace.Received().size(), 1u);
    EXPECT_EQ(trace.Received()[0].substr(0, 14), "00 f9 5a 39 52");

    z9rt::sim::ResetSimulatedKeyboard(kDeviceTypeS);
    EXPECT_STREQ(device.getHardwareVersion(), L"Z9RT(S) V1.42 SIM");
}

TEST_F(Facade, OpeningTwiceKeepsTheFirstChannel) {
    Open();
    z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=0");  // gone: a new search would fail
    EXPECT_FALSE(device.DetectDevice());
    EXPECT_TRUE(device.__createDev());
    EXPECT_TRUE(device.__closeDev());
    EXPECT_FALSE(device.__createDev());
}

TEST_F(Facade, FailedVersionQueryKeepsThePreviousText) {
    Open();
    const std::wstring first = device.getHardwareVersion();
    z9rt::sim::SetSimulatedKeyboardFaults("silent");
    EXPECT_EQ(std::wstring(device.getHardwareVersion()), first);
    wchar_t version[kVersionTextLength] = L"kept";
    EXPECT_FALSE(device.ReadKeyboardVersion(version));
}

TEST_F(Facade, CopiesShareOneChannelAndStore) {
    Open();
    const int single[] = {0, 1, 4};
    device.setKeyConfiguration(0, 9, single, 3);
    COrvoHWI copy;
    copy = device;
    int array[3] = {};
    ASSERT_TRUE(copy.getKeyConfiguration(0, 9, array, 3));
    EXPECT_EQ(array[2], 4);
    // Closing one leaves the other open; nothing is closed twice.
    device.__closeDev();
    EXPECT_TRUE(copy.getKeyConfiguration(0, 9, array, 3));
    EXPECT_TRUE(copy.readKeyLightFromDev());
}

TEST_F(Faults, BusyKeyboardOpensButEveryTransferFails) {
    z9rt::sim::SetSimulatedKeyboardFaults("busy");
    EXPECT_TRUE(device.DetectDevice());
    Open();
    wchar_t version[kVersionTextLength];
    EXPECT_FALSE(device.ReadKeyboardVersion(version));
    device.prepare();
    EXPECT_FALSE(device.writeKeyConfigurationToDev(nullptr));
    EXPECT_FALSE(device.readKeyLightFromDev());
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().reportsSeen, 0);
}

TEST_F(Faults, SilentKeyboardEndsEveryReadWithFalse) {
    Open();
    z9rt::sim::SetSimulatedKeyboardFaults("silent");
    EXPECT_FALSE(device.readKeyDefinationFromDev(nullptr));
    EXPECT_FALSE(device.readKeyLightFromDev());
    // Writes still go out: the keyboard takes them without a word.
    device.prepare();
    EXPECT_TRUE(device.writeKeyConfigurationToDev(nullptr));
}

TEST_F(Faults, UnpluggedKeyboardVanishes) {
    Open();
    z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=1");
    EXPECT_TRUE(device.DetectDevice());
    wchar_t version[kVersionTextLength];
    EXPECT_FALSE(device.ReadKeyboardVersion(version));  // the request went, the answer did not
    EXPECT_FALSE(device.DetectDevice());
    EXPECT_EQ(device.DetectDeviceType(), kDeviceTypeNone);
    EXPECT_FALSE(device.readKeyLightFromDev());
}

TEST_F(Faults, NoiseAndMalformedRecordsLeaveTheReadIntact) {
    Open();
    const int combo[] = {0, 2, 67, 43};
    std::vector<int> macro = {2, 0, 2, 1, 0, 20};
    for (int event = 0; event < 20; ++event) {
        macro.push_back(30 + event);
        if (event < 19) {
            macro.push_back(event * 10);
        }
    }
    device.setKeyConfiguration(0, 46, combo, 4);
    device.setKeyConfiguration(2, 82, macro.data(), static_cast<int>(macro.size()));
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));

    z9rt::sim::SetSimulatedKeyboardFaults("noise, malformed");
    device.prepare();
    ASSERT_TRUE(device.readKeyDefinationFromDev(testsupport::TestWindow()));
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS).size(), 246u);
    std::vector<int> back(100, -7);
    ASSERT_TRUE(device.getKeyConfiguration(2, 82, back.data(), 100));
    EXPECT_EQ(std::vector<int>(back.begin(), back.begin() + 45), macro);
    ASSERT_TRUE(device.getKeyConfiguration(0, 46, back.data(), 100));
    EXPECT_EQ(std::vector<int>(back.begin(), back.begin() + 4), std::vector<int>({0, 2, 67, 43}));
    // The key that the malformed records named stays as the keyboard holds it.
    ASSERT_TRUE(device.getKeyConfiguration(0, 1, back.data(), 100));
    EXPECT_EQ(std::vector<int>(back.begin(), back.begin() + 2), std::vector<int>({0, 0}));
}

TEST_F(Faults, UnknownFaultIsRefused) {
    EXPECT_FALSE(z9rt::sim::SetSimulatedKeyboardFaults("busy,sleepy"));
    EXPECT_FALSE(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=x"));
    EXPECT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(""));
}

}  // namespace

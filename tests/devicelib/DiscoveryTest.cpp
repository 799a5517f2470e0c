// Finding the keyboard: the matching rule over identity texts, and discovery over whole
// enumerations.
#include "OrvoHWI.h"
#include "ProcessEnvironment.h"
#include "SimulatedKeyboard.h"
#include "channel/BackendSelection.h"
#include "channel/IdentityMatch.h"
#include "channel/KeyboardDiscovery.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

using z9rt::HidInterfaceInfo;
using z9rt::MatchKeyboardIdentity;

TEST(IdentityMatch, IdentityTextIsLowerCaseHex) {
    EXPECT_EQ(z9rt::IdentityText(0x0483, 0x502F, 1), "vid_0483&pid_502f&mi_01");
    EXPECT_EQ(z9rt::IdentityText(0xABCD, 0x00EF, 0x1A), "vid_abcd&pid_00ef&mi_1a");
    // A bus without interface numbers never reads as interface 1.
    EXPECT_EQ(z9rt::IdentityText(0x0483, 0x502F, -1), "vid_0483&pid_502f&mi_ff");
}

TEST(IdentityMatch, EachProductNamesItsDeviceType) {
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_502f&mi_01"), 1);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_512f&mi_01"), 2);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_522f&mi_01"), 3);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_532f&mi_01"), 4);
    // A system path around the identity matches the same way.
    EXPECT_EQ(MatchKeyboardIdentity(R"(\\?\hid#vid_0483&pid_532f&mi_01#7&1&0000#{4d1e})"), 4);
}

TEST(IdentityMatch, RefusesEverythingElse) {
    EXPECT_EQ(MatchKeyboardIdentity(""), 0);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_502f&mi_00"), 0);  // other interface
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_502f&mi_02"), 0);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_502F&mi_01"), 0);  // upper-case product
    EXPECT_EQ(MatchKeyboardIdentity("VID_0483&PID_502F&MI_01"), 0);
    EXPECT_EQ(MatchKeyboardIdentity("vid_046d&pid_502f&mi_01"), 0);  // other vendor
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_542f&mi_01"), 0);  // other product
    EXPECT_EQ(MatchKeyboardIdentity("mi_01vid_0483&pid_502f"), 0);   // "mi_01" only at 0
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_50"), 0);          // cut short
    EXPECT_EQ(MatchKeyboardIdentity("xmi_01&vid_0483&pid_502f"), 1);
    // Only the first "vid_" and "pid_" count.
    EXPECT_EQ(MatchKeyboardIdentity("vid_1234&pid_502f&mi_01&vid_0483"), 0);
    EXPECT_EQ(MatchKeyboardIdentity("vid_0483&pid_0001&mi_01&pid_502f"), 0);
}

TEST(Discovery, NothingAmongOtherVendorsAndOtherInterfaces) {
    EXPECT_FALSE(z9rt::FindKeyboard({}));
    const std::vector<HidInterfaceInfo> others = {
        {"/dev/hidraw0", 0x046D, 0xC52B, 1},  {"/dev/hidraw1", 0x1A2C, 0x502F, 1},
        {"/dev/hidraw2", 0x0483, 0x502F, 0},  {"/dev/hidraw3", 0x0483, 0x502F, 2},
        {"/dev/hidraw4", 0x0483, 0x502F, -1}, {"/dev/hidraw5", 0x0483, 0x5030, 1},
    };
    EXPECT_FALSE(z9rt::FindKeyboard(others));
}

TEST(Discovery, TheFirstOfTwoKeyboardsDecides) {
    const std::vector<HidInterfaceInfo> interfaces = {
        {"/dev/hidraw0", 0x046D, 0xC52B, 1},
        {"/dev/hidraw1", 0x0483, 0x522F, 0},
        {"/dev/hidraw2", 0x0483, 0x522F, 1},
        {"/dev/hidraw3", 0x0483, 0x502F, 1},
    };
    const auto found = z9rt::FindKeyboard(interfaces);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, "/dev/hidraw2");
    EXPECT_EQ(found->deviceType, 3);

    // A listing names both keyboards, in the same order.
    const auto all = z9rt::FindAllKeyboards(interfaces);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].path, "/dev/hidraw2");
    EXPECT_EQ(all[1].path, "/dev/hidraw3");
    EXPECT_EQ(all[1].deviceType, 1);
}

// The backend is chosen by name; an unknown name finds nothing rather than a real keyboard.
TEST(BackendChoice, EachNameChoosesItsBackendAndOthersAreRefused) {
    using z9rt::BackendChoice;
    const struct {
        const char* value;
        std::optional<BackendChoice> choice;
    } cases[] = {
        {nullptr, BackendChoice::Hidapi},
        {"", BackendChoice::Hidapi},
        {"hidapi", BackendChoice::Hidapi},
        {"sim", BackendChoice::Simulated},
        {"none", BackendChoice::None},
        {"Sim", std::nullopt},
        {"sim ", std::nullopt},
        {"hid", std::nullopt},
        {"simulated", std::nullopt},
        {"0", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::string shown = c.value == nullptr ? "(unset)" : c.value;
        EXPECT_EQ(z9rt::ParseBackendChoice(c.value), c.choice) << shown;
        EXPECT_EQ(z9rt::BackendVariableProblem(c.value).empty(), c.choice.has_value()) << shown;
    }
    EXPECT_EQ(z9rt::BackendVariableProblem("simulated"),
              "Z9RT_HID=simulated names no keyboard backend (use hidapi, sim or none)");
}

TEST(BackendChoice, NoneAndRefusedValuesNeverFindOrOpenTheKeyboard) {
    z9rt::sim::ResetSimulatedKeyboard(2);
    for (const char* value : {"none", "bogus"}) {
        SetProcessEnvironment("Z9RT_HID", value);
        COrvoHWI device;
        EXPECT_TRUE(ListKeyboards().empty()) << value;
        EXPECT_FALSE(device.DetectDevice()) << value;
        EXPECT_EQ(device.DetectDeviceType(), kDeviceTypeNone) << value;
        EXPECT_FALSE(device.__createDev()) << value;
        EXPECT_EQ(z9rt::OpenConnection("sim:hidraw3"), nullptr) << value;
    }
    SetProcessEnvironment("Z9RT_HID", "sim");
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().reportsSeen, 0);
    EXPECT_EQ(ListKeyboards().size(), 1u);
}

}  // namespace

// z9rtctl run as a separate process against the simulated keyboard: the exact reports it
// sends (through the report trace), the exact profiles it saves, round trips between
// processes through the simulated keyboard's state file, and every exit status.
#include "ToolFixture.h"
#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using model::CKeyboardConfig;
using model::KindCombo;
using model::KindMacro;
using model::KindMouse;
using model::KindNotSet;
using model::KindSingle;
using model::RGBColor;
using profile::LoadProfile;

namespace z9rt::cli::test {
namespace {

TEST_F(ToolTest, DefaultsSavesEachModelsFreshProfileExactly) {
    const std::pair<std::string, std::string> models[] = {{"1", "fresh-prsm-ble.pro"},
                                                          {"2", "fresh-s-ble.pro"},
                                                          {"3", "fresh-s.pro"},
                                                          {"4", "fresh-prsm.pro"}};
    for (const auto& [model, golden] : models) {
        // The attached keyboard names the model ...
        ToolRun attached = Run({"defaults", "attached.pro"}, {{"Z9RT_SIM_MODEL", model}});
        fs::remove(Path("keyboard.txt"));
        ASSERT_EQ(attached.status, 0) << attached.err;
        EXPECT_EQ(ReadFile(Path("attached.pro")), ReadFile(kGoldenDirectory + "/" + golden));
        // ... or --model does, with no keyboard at all.
        ToolRun offline =
            Run({"--model", model, "defaults", "offline.pro"}, {{"Z9RT_HID", "none"}});
        ASSERT_EQ(offline.status, 0) << offline.err;
        EXPECT_EQ(ReadFile(Path("offline.pro")), ReadFile(kGoldenDirectory + "/" + golden));
    }
    // Defaults need no conversation with the keyboard.
    EXPECT_TRUE(Trace().empty());
}

TEST_F(ToolTest, WriteKeysSendsTheProfilesAssignments) {
    CKeyboardConfig config;
    Prepare(config, 1);
    for (int key = 1; key <= 82; ++key) {
        for (int layer = 0; layer < 3; ++layer)
            config.keyMode[key][layer] = KindNotSet;
    }
    config.keyMode[46][0] = KindCombo;  // A: Left Ctrl + A
    config.keyList[46][0].Append(L"LCTRL");
    config.keyList[46][0].Append(L"A");
    config.keyMode[1][2] = KindSingle;  // Esc on the left Fn layer: F1
    config.keyHWCode[1][2] = 2;
    Save(config, "keys.pro");

    ToolRun run = Run({"write-keys", "keys.pro"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> trace = Trace();
    // Version query and its answer, start, 246 records, end marker.
    ASSERT_EQ(trace.size(), 2u + 1 + 246 + 1);
    EXPECT_EQ(trace[0], kVersionRequest);
    EXPECT_EQ(trace[2], Sent({0x00, 0xf1}));
    EXPECT_EQ(trace[3], Sent({0x00, 0xf0, 1, 1}));                      // key 1, not set
    EXPECT_EQ(trace[3 + 45], Sent({0x00, 0xf0, 1, 46, 0, 2, 67, 43}));  // the combo
    EXPECT_EQ(trace[3 + 164], Sent({0x00, 0xf0, 3, 1, 0, 1, 2}));       // left Fn, F1
    EXPECT_EQ(trace.back(), Sent({0x00}, 0xf6));
    // Progress is drawn on terminals only: here standard error holds the summary alone.
    EXPECT_EQ(run.err, "Wrote the key assignments of keys.pro to the Z9RT(PRSM)Ble\n");
}

TEST_F(ToolTest, WriteLightsSendsSevenReports) {
    CKeyboardConfig config;
    Prepare(config, 1);
    config.lightColor[1] = {255, 17, 0};
    config.lightColor[82] = {1, 2, 3};
    Save(config, "lights.pro");

    ToolRun run = Run({"write-lights", "lights.pro"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 2u + 7);
    EXPECT_EQ(trace[2], Sent({0x00, 0xe1}));
    EXPECT_EQ(trace[3], Sent({0x00, 0xe0, 61, 255, 17, 0}));
    EXPECT_EQ(trace[4], Sent({0x00, 0xe0, 61}));
    EXPECT_EQ(trace[5], Sent({0x00, 0xe0, 61}));
    std::vector<int> fourth(64, 0);  // the fourth chunk ends with key 82's red
    fourth[1] = 0xe0;
    fourth[2] = 61;
    fourth[63] = 1;
    EXPECT_EQ(trace[6], Sent(fourth));
    EXPECT_EQ(trace[7], Sent({0x00, 0xe0, 2, 2, 3}));  // key 82's green and blue
    EXPECT_EQ(trace[8], Sent({}, 0xe6));
}

TEST_F(ToolTest, KeysAndColoursTravelBetweenProcesses) {
    CKeyboardConfig config;
    Prepare(config, 1);
    config.keyMode[46][0] = KindCombo;
    config.keyList[46][0].Append(L"LCTRL");
    config.keyList[46][0].Append(L"A");
    config.keyMode[47][1] = KindMacro;  // recorded: A down, 50 ms, A up
    config.keyList[47][1].Append(L"A Down");
    config.keyList[47][1].Append(L"<50 ms>");
    config.keyList[47][1].Append(L"A UP");
    config.keyMode[48][2] = KindMouse;  // double click
    config.keyHWCode[48][2] = 199;
    config.keyMode[49][0] = KindNotSet;
    config.lightColor[30] = {10, 20, 30};
    Save(config, "mine.pro");

    ASSERT_EQ(Run({"write-keys", "mine.pro"}).status, 0);
    ASSERT_EQ(Run({"write-lights", "mine.pro"}).status, 0);
    // A new process finds what the last one wrote.
    ToolRun read = Run({"read", "back.pro"});
    ASSERT_EQ(read.status, 0) << read.err;

    CKeyboardConfig back;
    Prepare(back, 1);
    ASSERT_TRUE(LoadProfile(back, Path("back.pro")).Ok());
    EXPECT_EQ(back.keyMode[46][0], KindCombo);
    EXPECT_EQ(back.keyList[46][0].Items(), (std::vector<std::wstring>{L"LCTRL", L"A"}));
    EXPECT_EQ(back.keyMode[47][1], KindMacro);  // events come back as bare key names
    EXPECT_EQ(back.keyList[47][1].Items(), (std::vector<std::wstring>{L"A", L"<50 ms>", L"A"}));
    EXPECT_EQ(back.keyMode[48][2], KindMouse);
    EXPECT_EQ(back.keyHWCode[48][2], 199);
    EXPECT_EQ(back.keyMode[49][0], KindNotSet);  // not written: the keyboard holds an empty key
    EXPECT_EQ(back.lightColor[30], (RGBColor{10, 20, 30}));

    // show prints what the profile holds.
    ToolRun shown = Run({"show", "back.pro"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("46   A          NoneFn   Combo       LCTRL | A\n"),
              std::string::npos);
    EXPECT_NE(shown.out.find("RightFn  Macro       A,50,A\n"), std::string::npos);
    EXPECT_NE(shown.out.find("30   Tab        #0a141e   10  20  30\n"), std::string::npos);
    ToolRun json = Run({"--json", "show", "back.pro"});
    EXPECT_NE(
        json.out.find(
            R"({"layer":0,"name":"NoneFn","kind":2,"kindName":"Combo","assignment":"LCTRL | A"})"),
        std::string::npos);
}

TEST_F(ToolTest, ShowWithoutKeyboardTakesTheProfilesOwnModel) {
    CKeyboardConfig config;
    Prepare(config, 3);
    Save(config, "s.pro");
    ToolRun run = Run({"show", "s.pro"}, {{"Z9RT_HID", "none"}});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Profile of a Z9RT(S)\n", 0), 0u);
}

TEST_F(ToolTest, CountersNameTheHighestAndLowestKeys) {
    std::string state = "model 2\n";
    for (int key = 1; key <= 82; ++key)
        state += "counter " + std::to_string(key) + " 0\n";
    state += "counter 46 900\ncounter 12 900\ncounter 70 3\ncounter 5 4\n";
    WriteFile(Path("keyboard.txt"), state);

    ToolRun json = Run({"--json", "counters"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find(R"("highest":{"key":12,"caption":"F11","count":900})"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(R"("lowest":{"key":70,"caption":"Shift","count":3})"),
              std::string::npos);
    EXPECT_NE(json.out.find(R"({"key":46,"caption":"A","count":900})"), std::string::npos);

    ToolRun text = Run({"counters"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind(
                  "Highest: F11 (key 12, 900 presses)\nLowest:  Shift (key 70, 3 presses)\n", 0),
              0u);
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos);  // no colour into a file
}

TEST_F(ToolTest, ListAndInfoDescribeTheKeyboard) {
    ToolRun list = Run({"--json", "list"}, {{"Z9RT_SIM_MODEL", "4"}});
    ASSERT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out.rfind(R"j([{"deviceType":4,"model":"Z9RT(PRSM)","path":")j", 0), 0u);
    ToolRun info = Run({"--json", "info"}, {{"Z9RT_SIM_MODEL", "4"}});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out.rfind(R"j({"model":"Z9RT(PRSM)","deviceType":4,"version":"Z9RT(PRSM))j", 0),
              0u);
}

// A firmware file of three records: two data records and the end-of-file record.
const std::string kFirmware =
    ":10010000214601360121470136007EFE09D2190140\r\n"
    ":100110002146017e17c20001ff5f16002148011928\r\n"
    ":00000001FF\r\n";

TEST_F(ToolTest, FirmwareIsCheckedThenDownloadedLineByLine) {
    WriteFile(Path("Z9RT(PRSM)BLe_2.0.bin"), kFirmware);
    ToolRun run = Run({"firmware", "Z9RT(PRSM)BLe_2.0.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("The Firmware is downloaded successfully.\n", 0), 0u);
    const std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 2u + 3);
    EXPECT_EQ(trace[2],
              Sent({0x00, 0x3a, 0x10, 0x01, 0x00, 0x00, 0x21, 0x46, 0x01, 0x36, 0x01, 0x21,
                    0x47, 0x01, 0x36, 0x00, 0x7e, 0xfe, 0x09, 0xd2, 0x19, 0x01, 0x40}));
    EXPECT_EQ(trace[4], Sent({0x00, 0x3a, 0x00, 0x00, 0x00, 0x01, 0xff}));
}

TEST_F(ToolTest, BadFirmwareIsRefusedBeforeAnyReport) {
    // Another model's file name.
    WriteFile(Path("Z9RT(S)_2.0.bin"), kFirmware);
    ExpectOneLineFailure(Run({"firmware", "Z9RT(S)_2.0.bin"}), 3, "must begin with Z9RT(PRSM)BLe_");
    // The right name, letter case aside.
    WriteFile(Path("z9rt(prsm)ble_2.0.bin"), kFirmware);
    ExpectOneLineFailure(Run({"firmware", "z9rt(prsm)ble_2.0.bin"}), 3, "does not match");
    // A damaged record in the middle.
    std::string damaged = kFirmware;
    damaged[60] = damaged[60] == '0' ? '1' : '0';
    WriteFile(Path("Z9RT(PRSM)BLe_bad.bin"), damaged);
    ExpectOneLineFailure(Run({"firmware", "Z9RT(PRSM)BLe_bad.bin"}), 3,
                         "line 2: checksum is wrong");
    // Cut short: no end-of-file record.
    WriteFile(Path("Z9RT(PRSM)BLe_cut.bin"), kFirmware.substr(0, 90));
    ExpectOneLineFailure(Run({"firmware", "Z9RT(PRSM)BLe_cut.bin"}), 3, "no end-of-file record");
    ExpectOneLineFailure(Run({"firmware", "Z9RT(PRSM)BLe_missing.bin"}), 3, "cannot read");
    // Not even the version query reached the keyboard.
    EXPECT_TRUE(Trace().empty());
}

TEST_F(ToolTest, EveryFailureEndsWithItsExitStatus) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "ble.pro");
    CKeyboardConfig other;
    Prepare(other, 3);
    Save(other, "s.pro");
    WriteFile(Path("junk.pro"), "<html><body>not a profile</body></html>");

    ExpectOneLineFailure(Run({"info"}, {{"Z9RT_HID", "none"}}), 1, "no keyboard");
    ExpectOneLineFailure(Run({"list"}, {{"Z9RT_HID", "none"}}), 1, "no keyboard");
    // A misspelt backend is refused before anything is looked for, naming the right ones.
    for (const char* refused : {"simulated", "HIDAPI", "sim "}) {
        ExpectOneLineFailure(Run({"list"}, {{"Z9RT_HID", refused}}), 2,
                             "names no keyboard backend (use hidapi, sim or none)");
    }
    ExpectOneLineFailure(Run({"info"}, {{"Z9RT_SIM_FAULT", "busy"}}), 1, "does not answer");
    ExpectOneLineFailure(Run({"read", "x.pro"}, {{"Z9RT_SIM_FAULT", "silent"}}), 1,
                         "does not answer");
    EXPECT_FALSE(fs::exists(Path("x.pro")));
    // Unplugged in the middle of the key records, and right after the request for them.
    ExpectOneLineFailure(Run({"write-keys", "ble.pro"}, {{"Z9RT_SIM_FAULT", "unplug-after=40"}}), 1,
                         "writing the key assignments failed");
    ExpectOneLineFailure(Run({"read", "y.pro"}, {{"Z9RT_SIM_FAULT", "unplug-after=2"}}), 1,
                         "reading the key assignments failed");
    EXPECT_FALSE(fs::exists(Path("y.pro")));
    ExpectOneLineFailure(Run({"write-keys", "s.pro"}), 3, "profile of another keyboard model");
    ExpectOneLineFailure(Run({"write-lights", "junk.pro"}), 3, "junk.pro");
    ExpectOneLineFailure(Run({"write-keys", "nowhere.pro"}), 3, "nowhere.pro");
    ExpectOneLineFailure(Run({"read", "no-such-folder/z.pro"}), 3, "z.pro");
    ExpectOneLineFailure(Run({"defaults", "d.pro"}, {{"Z9RT_HID", "none"}}), 1, "--model");
    ExpectOneLineFailure(Run({"frobnicate"}), 2, "unknown command");
    ExpectOneLineFailure(Run({"show"}), 2, "needs one FILE");
    ToolRun help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: z9rtctl", 0), 0u);
}

}  // namespace
}  // namespace z9rt::cli::test

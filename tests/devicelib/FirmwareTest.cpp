// The firmware download: one report per line, progress up to 150, and the keyboard's
// checksum check.
#include "SimulatedKeyboardFixture.h"
#include "transfer/FirmwareTransfer.h"

#include <cstdio>

namespace {

using testsupport::TraceCapture;
using Firmware = SimulatedKeyboardTest;

// A data record of 16 bytes at `address`, with its checksum.
std::string HexLine(int address, bool upperCase = true) {
    int data[16];
    int sum = 16 + (address >> 8) + (address & 0xFF);
    std::string line(":10");
    char pair[8];
    std::snprintf(pair, sizeof pair, upperCase ? "%04X00" : "%04x00", address);
    line += pair;
    for (int index = 0; index < 16; ++index) {
        data[index] = (address + index * 7) & 0xFF;
        sum += data[index];
        std::snprintf(pair, sizeof pair, upperCase ? "%02X" : "%02x", data[index]);
        line += pair;
    }
    std::snprintf(pair, sizeof pair, upperCase ? "%02X" : "%02x", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + pair;
}

std::string Lines(int count, const std::string& ending = "\r\n") {
    std::string text;
    for (int index = 0; index < count; ++index) {
        text += HexLine(index * 16) + ending;
    }
    return text;
}

bool Download(COrvoHWI& device, const std::string& text) {
    return device.WriteFirmwareToKeyboard(text.c_str(), static_cast<int>(text.size()),
                                          testsupport::TestWindow());
}

TEST(FirmwareLine, DigitPairsBecomeTheReport) {
    EXPECT_EQ(testsupport::HexOf(z9rt::MakeFirmwareLineReport(":1001000021460136")),
              "00 3a 10 01 00 00 21 46 01 36");
    EXPECT_EQ(z9rt::MakeFirmwareLineReport(":0aFfbC"), z9rt::MakeFirmwareLineReport(":0AffBc"));
    EXPECT_EQ(testsupport::HexOf(z9rt::MakeFirmwareLineReport(":g1zz7")), "00 3a 01");
    // More than 62 bytes are cut after 62.
    const z9rt::Payload longLine = z9rt::MakeFirmwareLineReport(":" + std::string(200, '1'));
    EXPECT_EQ(testsupport::HexOf(longLine), "00 3a " + testsupport::Repeated(0x11, 62));
}

TEST_F(Firmware, TwoHundredLinesPostRisingProgressTo150) {
    TraceCapture trace;
    Open();
    ASSERT_TRUE(Download(device, Lines(200)));
    EXPECT_EQ(trace.Sent().size(), 200u);
    const std::vector<std::uintptr_t> progress = posts.WParams(WM_DEVICE_PROGRESS);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 150u);
    for (std::size_t index = 1; index < progress.size(); ++index) {
        EXPECT_GT(progress[index], progress[index - 1]);
    }
    EXPECT_EQ(progress.size(), 150u);  // 150 of 200 lines raise the value by one
    const auto held = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_EQ(held.firmwareLinesAccepted, 200);
    EXPECT_EQ(held.firmwareLinesRefused, 0);
    ASSERT_EQ(held.firmwareLines.size(), 200u);
    EXPECT_EQ(held.firmwareLines[1].size(), 21u);
}

TEST_F(Firmware, LowerAndUpperCaseDigitsSendTheSameBytes) {
    TraceCapture trace;
    Open();
    const std::string mixed = HexLine(0x1230, true) + "\r\n" + HexLine(0x1230, false) + "\r\n";
    ASSERT_TRUE(Download(device, mixed));
    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], sent[1]);
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().firmwareLinesAccepted, 2);
}

TEST_F(Firmware, TextNotStartingWithAColonIsRefused) {
    TraceCapture trace;
    Open();
    EXPECT_FALSE(Download(device, " " + Lines(3)));
    EXPECT_FALSE(device.WriteFirmwareToKeyboard(nullptr, 10, nullptr));
    EXPECT_FALSE(device.WriteFirmwareToKeyboard(":00000001FF\r\n", 0, nullptr));
    EXPECT_TRUE(trace.Sent().empty());
    EXPECT_TRUE(posts.Posts().empty());
}

TEST_F(Firmware, BlankLineEndsTheDownload) {
    TraceCapture trace;
    Open();
    EXPECT_TRUE(Download(device, Lines(5) + "\r\n" + Lines(3)));
    EXPECT_EQ(trace.Sent().size(), 5u);
}

TEST_F(Firmware, LineStartingWithSemicolonStopsWithFalse) {
    TraceCapture trace;
    Open();
    EXPECT_FALSE(Download(device, Lines(4) + ";comment\r\n" + Lines(3)));
    EXPECT_EQ(trace.Sent().size(), 4u);
}

TEST_F(Firmware, LastLineWithoutLineEndIsSentAndProgressEndsAt150) {
    TraceCapture trace;
    Open();
    std::string text = Lines(3);
    text += HexLine(0x100);
    ASSERT_TRUE(Download(device, text));
    EXPECT_EQ(trace.Sent().size(), 4u);
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), std::vector<std::uintptr_t>({37, 75, 112, 150}));
}

TEST_F(Firmware, LinesEndedByLineFeedAloneAreLinesToo) {
    TraceCapture trace;
    Open();
    ASSERT_TRUE(Download(device, Lines(6, "\n")));
    EXPECT_EQ(trace.Sent().size(), 6u);
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS).back(), 150u);
    // A single line without any ending.
    posts.Clear();
    ASSERT_TRUE(Download(device, HexLine(0)));
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), std::vector<std::uintptr_t>({150}));
}

TEST_F(Firmware, KeyboardRefusesALineWithAWrongChecksum) {
    Open();
    std::string bad = HexLine(0x40);
    bad.back() = bad.back() == '0' ? '1' : '0';
    ASSERT_TRUE(Download(device, HexLine(0) + "\r\n" + bad + "\r\n"));
    const auto held = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_EQ(held.firmwareLinesAccepted, 1);
    EXPECT_EQ(held.firmwareLinesRefused, 1);
}

TEST_F(Firmware, FailedWriteStopsWithFalse) {
    Open();
    z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=2");
    EXPECT_FALSE(Download(device, Lines(5)));
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().firmwareLinesAccepted, 2);
}

}  // namespace

// The report channel: the wait limit, the trace format, text from the keyboard, and a channel
// whose interface never opened.
#include "TestSupport.h"
#include "channel/COrvoUtil.h"
#include "channel/NarrowText.h"
#include "channel/TracingConnection.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Hex;
using testsupport::ScriptedConnection;

TEST(Channel, WaitLimitCountsTensOfMicrosecondsUpToOneSecond) {
    EXPECT_EQ(z9rt::ReadTimeoutMs(z9rt::kReadWaitLimit), 1000);
    EXPECT_EQ(z9rt::ReadTimeoutMs(50000), 500);
    EXPECT_EQ(z9rt::ReadTimeoutMs(100), 1);
    EXPECT_EQ(z9rt::ReadTimeoutMs(0), 0);
    EXPECT_EQ(z9rt::ReadTimeoutMs(-5), 0);
    EXPECT_EQ(z9rt::ReadTimeoutMs(2000000000), 1000);  // never longer than a second
}

TEST(Channel, TraceLineIsDirectionAndSixtyFourHexBytes) {
    const std::string line = z9rt::TraceLine('>', Hex("00 f9 ab"));
    EXPECT_EQ(line.size(), 1 + 64 * 3u);
    EXPECT_EQ(line.substr(0, 14), "> 00 f9 ab 00 ");
    EXPECT_EQ(z9rt::TraceLine('<', z9rt::MakeFilled(0xE6)).substr(0, 8), "< e6 e6 ");
}

// Reads that bring nothing are lines of their own, so that a trace shows every wait.
TEST(Channel, TraceShowsReportsAndEveryReadThatBroughtNone) {
    testsupport::TemporaryFile trace;
    ScriptedConnection::Script script;
    script.answers.push_back(Hex("00 f9 41"));
    {
        z9rt::TracingConnection connection(std::make_unique<ScriptedConnection>(script),
                                           trace.Path());
        z9rt::OutputReport report{};
        report[2] = 0xF9;
        ASSERT_TRUE(connection.Write(report));
        z9rt::Payload payload;
        EXPECT_EQ(connection.Read(payload, 1000), z9rt::ReadOutcome::Report);
        EXPECT_EQ(connection.Read(payload, 1000), z9rt::ReadOutcome::Timeout);
        script.readFailsWhenEmpty = true;
        EXPECT_EQ(connection.Read(payload, 250), z9rt::ReadOutcome::Failed);
    }
    EXPECT_EQ(trace.Read(), z9rt::TraceLine('>', Hex("00 f9")) + "\n" +
                                z9rt::TraceLine('<', Hex("00 f9 41")) + "\n" +
                                "! no report within 1000 ms\n! the read failed\n");
}

TEST(Channel, TextFromTheKeyboardIsUtf8OrLatin1) {
    const std::uint8_t ascii[] = {'V', '1', '.', '0', 0, 'x'};
    EXPECT_EQ(z9rt::DecodeNarrowText(ascii, sizeof ascii), L"V1.0");
    const std::uint8_t utf8[] = {0xE9, 0x94, 0xAE, 0xE7, 0x9B, 0x98};  // 键盘
    EXPECT_EQ(z9rt::DecodeNarrowText(utf8, sizeof utf8), L"\x952e\x76d8");
    const std::uint8_t latin1[] = {'A', 0xE9, 'B', 0xC3};  // é alone, a cut sequence
    EXPECT_EQ(z9rt::DecodeNarrowText(latin1, sizeof latin1),
              L"A\xe9"
              L"B\xc3");
}

TEST(Channel, WithoutAnOpenInterfaceEveryTransferFails) {
    COrvoUtil channel(nullptr);
    z9rt::OutputReport report{};
    EXPECT_FALSE(channel.WriteReport(report.data(), static_cast<int>(report.size())));
    unsigned char buffer[64];
    int length = 64;
    EXPECT_FALSE(channel.ReadReport(buffer, length, z9rt::kReadWaitLimit));
    wchar_t version[kVersionTextLength] = L"kept";
    EXPECT_FALSE(channel.ReadVersion(version));
    EXPECT_STREQ(version, L"kept");
}

TEST(Channel, VersionTextIsWhatPrecedesTheFirstNul) {
    ScriptedConnection::Script script;
    script.answers.push_back(Hex("77 88 56 32 2e 30 35 00 41 42"));  // bytes 0, 1 not examined
    COrvoUtil channel(std::make_unique<ScriptedConnection>(script));
    wchar_t version[kVersionTextLength];
    std::fill(std::begin(version), std::end(version), L'?');
    ASSERT_TRUE(channel.ReadVersion(version));
    EXPECT_STREQ(version, L"V2.05");
    EXPECT_EQ(version[kVersionTextLength - 1], L'\0');
    ASSERT_EQ(script.written.size(), 1u);
    EXPECT_EQ(testsupport::HexOf(script.written[0]), "00 f9");
}

TEST(Channel, ReportsTravelWithReportIdZero) {
    ScriptedConnection::Script script;
    script.answers.push_back(Hex("01 02 03"));
    CKeyboardUtil channel(std::make_unique<ScriptedConnection>(script));
    ASSERT_TRUE(channel.SendPayload(Hex("00 e1")));
    EXPECT_EQ(testsupport::HexOf(script.written.at(0)), "00 e1");
    unsigned char buffer[64] = {};
    int length = 64;
    ASSERT_TRUE(channel.ReadReport(buffer, length, z9rt::kReadWaitLimit));
    EXPECT_EQ(length, 64);
    EXPECT_EQ(buffer[0], 0x01);
    EXPECT_EQ(buffer[2], 0x03);
    // Nothing more comes: the read gives up.
    EXPECT_FALSE(channel.ReadReport(buffer, length, z9rt::kReadWaitLimit));
}

}  // namespace

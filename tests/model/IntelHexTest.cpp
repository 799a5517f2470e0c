#include "model/IntelHex.h"

#include <gtest/gtest.h>

namespace {

const char* const kData = ":10010000214601360121470136007EFE09D2190140";
const char* const kEnd = ":00000001FF";

TEST(IntelHexTest, AcceptsSoundFilesWhateverTheirLineEnds) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text = std::string(kData) + end + kData + end + kEnd + end;
        IntelHexCheck check = CheckIntelHex(text);
        ASSERT_TRUE(check.ok) << check.problem;
        EXPECT_EQ(check.recordCount, 3);
        // The keyboard's download counts CR-ended lines, so every line leaves with CR LF.
        EXPECT_EQ(check.normalizedText,
                  std::string(kData) + "\r\n" + kData + "\r\n" + kEnd + "\r\n");
    }
    // Lower-case digits are as good as upper-case ones; a last line without its end is fine.
    EXPECT_TRUE(CheckIntelHex(":10010000214601360121470136007efe09d2190140\r\n:00000001ff").ok);
}

TEST(IntelHexTest, RefusesDamagedRecordsNamingTheLine) {
    struct Case {
        std::string text;
        std::string problem;
    } cases[] = {
        {":10010000214601360121470136007EFE09D2190141\r\n:00000001FF\r\n",
         "line 1: checksum is wrong"},
        {":10010000214601360121470136007EFE09D21901\r\n:00000001FF\r\n",
         "line 1: its byte count 16 does not match its length"},
        {":10010000214601360121470136007EFE09D2190140\r\n;00000001FF\r\n",
         "line 2: does not start with ':'"},
        {":1001000021460136012147013600ZZFE09D2190140\r\n:00000001FF\r\n",
         "line 1: holds a character that is not a hexadecimal digit pair"},
        {":0000\r\n:00000001FF\r\n", "line 1: is too short for a record"},
        {":00000006FA\r\n:00000001FF\r\n", "line 1: unknown record type 6"},
        {":10010000214601360121470136007EFE09D2190140\r\n", "the file has no end-of-file record"},
        {"", "the file holds no records"},
        {":10010000214601360121470136007EFE09D2190140\r\n\r\n:00000001FF\r\n",
         "line 2: is empty before the end-of-file record"},
        {":00000001FF\r\n:10010000214601360121470136007EFE09D2190140\r\n",
         "line 2: follows the end-of-file record"},
    };
    for (const Case& c : cases) {
        IntelHexCheck check = CheckIntelHex(c.text);
        EXPECT_FALSE(check.ok) << c.text;
        EXPECT_EQ(check.problem, c.problem) << c.text;
        // The window words the problem itself, from its kind, line and number.
        EXPECT_EQ(DescribeHexProblem(check.problemKind, check.line, check.detail), c.problem);
    }
    IntelHexCheck badCount =
        CheckIntelHex(":10010000214601360121470136007EFE09D2190140\r\n:0100000001\r\n");
    EXPECT_EQ(badCount.problemKind, HexProblem::CountMismatch);
    EXPECT_EQ(badCount.line, 2);
    EXPECT_EQ(badCount.detail, 1);
    EXPECT_EQ(CheckIntelHex("").line, 0);
}

TEST(IntelHexTest, RefusesRecordsLongerThanOneReport) {
    // 58 data bytes + 5 header/checksum bytes = 63 > 62 bytes a report carries.
    std::string record = ":3A000000";
    unsigned sum = 0x3A;
    for (int i = 0; i < 58; ++i)
        record += "00";
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", (256 - sum % 256) % 256);
    record += checksum;
    IntelHexCheck check = CheckIntelHex(record + "\r\n:00000001FF\r\n");
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.problem, "line 1: is longer than one firmware report can carry");
}

TEST(IntelHexTest, BlankLinesAfterTheEndAreHarmless) {
    IntelHexCheck check = CheckIntelHex(std::string(kEnd) + "\r\n\r\n\r\n");
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.normalizedText, std::string(kEnd) + "\r\n");
}

}  // namespace

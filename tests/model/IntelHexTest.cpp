#include "model/IntelHex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

using model::CheckIntelHex;
using model::DescribeHexProblem;
using model::HexProblem;
using model::IntelHexCheck;

namespace {

// A record of the given type at `offset` carrying `data`, with its checksum.
std::string Record(int type, int offset, const std::vector<int>& data) {
    std::vector<int> bytes = {static_cast<int>(data.size()), offset >> 8, offset & 0xFF, type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    int sum = 0;
    for (int byte : bytes) {
        sum += byte;
    }
    bytes.push_back((0x100 - sum % 0x100) % 0x100);
    std::string text = ":";
    char pair[3];
    for (int byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text + "\r\n";
}

const char* const kData = ":10010000214601360121470136007EFE09D2190140";
const char* const kMoreData = ":100110002146017E17C20001FF5F16002148011928";
const char* const kEnd = ":00000001FF";

TEST(IntelHexTest, AcceptsSoundFilesWhateverTheirLineEnds) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text = std::string(kData) + end + kMoreData + end + kEnd + end;
        IntelHexCheck check = CheckIntelHex(text);
        ASSERT_TRUE(check.ok) << check.problem;
        EXPECT_EQ(check.recordCount, 3);
        // The keyboard's download counts CR-ended lines, so every line leaves with CR LF.
        EXPECT_EQ(check.normalizedText,
                  std::string(kData) + "\r\n" + kMoreData + "\r\n" + kEnd + "\r\n");
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
        {std::string(kData) + "\r\n" + kEnd + "\r\n" + kData + "\r\n",
         "line 3: follows the end-of-file record"},
        // Nothing to write: the end-of-file record alone, or after empty data records and
        // address records only.
        {":00000001FF\r\n", "line 1: end-of-file record before any data"},
        {":00010000FF\r\n:020000040000FA\r\n:00000001FF\r\n",
         "line 3: end-of-file record before any data"},
        // Address records of the wrong length.
        {":0100000408F3\r\n" + std::string(kData) + "\r\n" + kEnd,
         "line 1: record type 4 must carry 2 bytes"},
        {":03000002000100FA\r\n" + std::string(kData) + "\r\n" + kEnd,
         "line 1: record type 2 must carry 2 bytes"},
        {std::string(kData) + "\r\n:0200000300FFFC\r\n" + kEnd,
         "line 2: record type 3 must carry 4 bytes"},
        {std::string(kData) + "\r\n:03000005000100F7\r\n" + kEnd,
         "line 2: record type 5 must carry 4 bytes"},
        // Data for addresses written before: the same record twice, a record reaching into
        // the next one's bytes, and the same bytes reached through an extended address.
        {":0100000001FE\r\n:0100000001FE\r\n:00000001FF\r\n",
         "line 2: its data overlaps data written earlier in the file"},
        {":0400100001020304E2\r\n:02000F00AABB8A\r\n:00000001FF\r\n",
         "line 2: its data overlaps data written earlier in the file"},
        {":020000040001F9\r\n:0100000001FE\r\n:020000040000FA\r\n"
         ":020000021000EC\r\n:0100000001FE\r\n:00000001FF\r\n",
         "line 5: its data overlaps data written earlier in the file"},
        // A segment's offset wraps within it: the end of the segment reaches its start.
        {":020000020000FC\r\n:0100000001FE\r\n:02FFFF00AABB9B\r\n:00000001FF\r\n",
         "line 3: its data overlaps data written earlier in the file"},
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
    IntelHexCheck check = CheckIntelHex(std::string(kData) + "\r\n" + kEnd + "\r\n\r\n\r\n");
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.normalizedText, std::string(kData) + "\r\n" + kEnd + "\r\n");
}

TEST(IntelHexTest, SoundImagesPassWhateverTheirOrder) {
    const char* const sound[] = {
        // Records out of address order, touching but not overlapping.
        ":02000200AABB97\r\n:020000001122CB\r\n:02000400CCDD51\r\n:00000001FF\r\n",
        // Empty data records say nothing about addresses.
        ":0000000000\r\n:0100000001FE\r\n:0000000000\r\n:00000001FF\r\n",
        // The same offsets in another 64 KiB page or segment are other addresses.
        (":0100000001FE\r\n:020000040001F9\r\n:0100000001FE\r\n:020000022000DC\r\n"
         ":0100000001FE\r\n:00000001FF\r\n"),
        // Start addresses of both kinds, lower-case digits.
        ":0100000001fe\r\n:0400000300000000f9\r\n:0400000500000000f7\r\n:00000001ff\r\n",
    };
    for (const char* text : sound) {
        const IntelHexCheck check = CheckIntelHex(text);
        EXPECT_TRUE(check.ok) << text << ": " << check.problem;
    }
}

TEST(IntelHexTest, DataMustStayInsideTheFourGibibyteAddressSpace) {
    const std::string top = Record(0x04, 0, {0xFF, 0xFF});  // addresses FFFF0000 and up
    const std::string end = Record(0x01, 0, {});
    const std::vector<int> sixteen(16, 0xA5);
    std::vector<int> seventeen(17, 0xA5);
    // Up to the last address: sound.
    const IntelHexCheck last = CheckIntelHex(top + Record(0x00, 0xFFF0, sixteen) + end);
    EXPECT_TRUE(last.ok) << last.problem;
    // One byte more would land on address 0; so would data that wraps onto earlier data.
    const IntelHexCheck past = CheckIntelHex(top + Record(0x00, 0xFFF0, seventeen) + end);
    EXPECT_EQ(past.problemKind, HexProblem::BeyondAddressSpace);
    EXPECT_EQ(past.problem, "line 2: its data runs past the 4 GiB address space");
    const IntelHexCheck wraps =
        CheckIntelHex(Record(0x00, 0, {1, 2}) + top + Record(0x00, 0xFFFF, {3, 4}) + end);
    EXPECT_EQ(wraps.problemKind, HexProblem::BeyondAddressSpace);
    EXPECT_EQ(wraps.line, 3);
}

}  // namespace

// z9rtctl never reports a failure as success: transfers the keyboard did not take, counts it
// reads, files it must refuse before a single report, and state files that are no state files.
#include "TestPlatform.h"
#include "ToolFixture.h"

#include <algorithm>

using model::CKeyboardConfig;
using model::KindMacro;
using model::KindNotSet;
using profile::LoadProfile;

namespace z9rt::cli::test {
namespace {

using ToolFailure = ToolTest;

TEST_F(ToolFailure, ALightWriteCutOffFails) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "my.pro");
    // The version query, the start and the first chunk get through; then the keyboard is gone.
    ExpectOneLineFailure(Run({"write-lights", "my.pro"}, {{"Z9RT_SIM_FAULT", "unplug-after=3"}}), 1,
                         "writing the key colours failed");
    const std::vector<std::string> sent = SentTrace();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], Sent({0x00, 0xe1}));
}

TEST_F(ToolFailure, ACounterReadCutOffFailsAndPrintsNoCounts) {
    // The version query and the counter request get through; the counters never come.
    const ToolRun run = Run({"counters"}, {{"Z9RT_SIM_FAULT", "unplug-after=2"}});
    ExpectOneLineFailure(run, 1, "reading the press counters failed");
    EXPECT_EQ(run.out, "");
}

// A keyboard that stops answering ends the command at the first read that brings nothing:
// one wait and no more, its message, and no file written or changed.
TEST_F(ToolFailure, AKeyboardThatStopsAnsweringCostsOneWaitAndChangesNothing) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "my.pro");
    WriteFile(Path("Z9RT(PRSM)BLe_ok.bin"), ":020000001122cb\r\n:00000001ff\r\n");
    ASSERT_EQ(Run({"info"}).status, 0);  // the keyboard's memory is on file from here on
    // The folder's files and their contents, apart from the trace and the tool's own output.
    const auto folder = [this] {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(directory_)) {
            const std::string name = entry.path().filename().string();
            if (name != "trace.txt" && name.rfind('.', 0) != 0) {
                files[name] = ReadFile(entry.path().string());
            }
        }
        return files;
    };
    const auto changedNames = [](const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
        std::string names;
        for (const auto& [name, content] : after) {
            const auto was = before.find(name);
            if (was == before.end() || was->second != content) {
                names += name + " ";
            }
        }
        return names;
    };
    const struct {
        std::vector<std::string> arguments;
        const char* fault;
        std::size_t sent;  // reports the keyboard got before the unanswered read
        const char* words;
    } cases[] = {
        {{"info"}, "silent", 1, "the keyboard does not answer"},
        {{"read", "back.pro"}, "silent", 1, "the keyboard does not answer"},
        {{"write-keys", "my.pro"}, "silent", 1, "the keyboard does not answer"},
        {{"write-lights", "my.pro"}, "silent", 1, "the keyboard does not answer"},
        {{"counters"}, "silent", 1, "the keyboard does not answer"},
        {{"firmware", "Z9RT(PRSM)BLe_ok.bin"}, "silent", 1, "the keyboard does not answer"},
        {{"set", "my.pro", "A", "single", "B", "--write"},
         "silent",
         1,
         "the keyboard does not answer"},
        // It answers the version query, then hangs.
        {{"read", "back.pro"}, "silent-after=1", 2, "reading the key assignments failed"},
        {{"counters"}, "silent-after=1", 2, "reading the press counters failed"},
    };
    for (const auto& c : cases) {
        const std::string shown = c.arguments.front() + " (" + c.fault + ")";
        const auto before = folder();
        ClearTrace();
        ExpectOneLineFailure(Run(c.arguments, {{"Z9RT_SIM_FAULT", c.fault}}), 1, c.words);
        const std::vector<std::string> trace = Trace();
        ASSERT_FALSE(trace.empty()) << shown;
        EXPECT_EQ(trace.back(), "! no report within 1000 ms") << shown;
        EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                                [](const std::string& line) { return line.rfind('!', 0) == 0; }),
                  1)
            << shown;
        EXPECT_EQ(SentTrace().size(), c.sent) << shown;
        const auto after = folder();
        EXPECT_EQ(after.size(), before.size()) << shown;
        EXPECT_EQ(changedNames(before, after), "") << shown;
    }
}

TEST_F(ToolFailure, CountsOf2To31AndMoreArePrintedAsTheKeyboardCountsThem) {
    WriteFile(Path("keyboard.txt"),
              "model 1\ncounter 5 4294967295\ncounter 6 2147483648\ncounter 7 0\n");
    const ToolRun json = Run({"--json", "counters"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find(R"({"key":5,"caption":"F4","count":4294967295})"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find(R"({"key":6,"caption":"F5","count":2147483648})"), std::string::npos);
    EXPECT_NE(json.out.find(R"("highest":{"key":5,"caption":"F4","count":4294967295})"),
              std::string::npos);
    const ToolRun text = Run({"counters"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Highest: F4 (key 5, 4294967295 presses)\n", 0), 0u) << text.out;
}

TEST_F(ToolFailure, AMacroCutOffOnTheKeyboardLeavesTheNextKeyIntact) {
    CKeyboardConfig config;
    Prepare(config, 1);
    // Key 1 gets a macro of 100 events at a fixed interval: two key records.
    config.keyMode[1][0] = KindMacro;
    config.keyList[1][0].IsAutoInterval = true;
    for (int event = 0; event < 100; ++event)
        config.keyList[1][0].Append(event % 2 == 0 ? L"A" : L"B");
    Save(config, "macro.pro");
    // The version query, the start and the macro's first record reach the keyboard.
    ExpectOneLineFailure(Run({"write-keys", "macro.pro"}, {{"Z9RT_SIM_FAULT", "unplug-after=3"}}),
                         1, "writing the key assignments failed");

    const ToolRun read = Run({"read", "back.pro"});
    ASSERT_EQ(read.status, 0) << read.err;
    CKeyboardConfig back;
    Prepare(back, 1);
    ASSERT_TRUE(LoadProfile(back, Path("back.pro")).Ok());
    // The damaged macro is gone, and key 2 reads as the keyboard holds it: its default.
    EXPECT_EQ(back.keyMode[1][0], KindNotSet);
    EXPECT_EQ(back.keyMode[2][0], config.keyMode[2][0]);
    EXPECT_EQ(back.keyHWCode[2][0], config.keyHWCode[2][0]);
}

TEST_F(ToolFailure, FirmwareThatIsNoSoundImageIsRefusedBeforeAnyReport) {
    const struct {
        const char* what;
        std::string text;
        std::string problem;
    } cases[] = {
        {"the end-of-file record alone", ":00000001FF\r\n",
         "line 1: end-of-file record before any data"},
        {"an address record of one byte", ":0100000408F3\r\n:0100000001FE\r\n:00000001FF\r\n",
         "line 1: record type 4 must carry 2 bytes"},
        {"two records for the same byte", ":0100000001FE\r\n:0100000001FE\r\n:00000001FF\r\n",
         "line 2: its data overlaps data written earlier in the file"},
    };
    for (const auto& test : cases) {
        WriteFile(Path("Z9RT(PRSM)BLe_bad.bin"), test.text);
        ExpectOneLineFailure(Run({"firmware", "Z9RT(PRSM)BLe_bad.bin"}), 3, test.problem);
        EXPECT_TRUE(Trace().empty()) << test.what;
    }
    // Out of address order, empty data records and lower-case digits are sound.
    WriteFile(Path("Z9RT(PRSM)BLe_ok.bin"),
              ":02000200aabb97\r\n:0000000000\r\n:020000001122cb\r\n:00000001ff\r\n");
    const ToolRun sound = Run({"firmware", "Z9RT(PRSM)BLe_ok.bin"});
    ASSERT_EQ(sound.status, 0) << sound.err;
    const std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 2u + 4);
    EXPECT_EQ(trace[2], Sent({0x00, 0x3a, 0x02, 0x00, 0x02, 0x00, 0xaa, 0xbb, 0x97}));
}

TEST_F(ToolFailure, AProfileCutOffPartWayIsRefusedBeforeAnyKeyIsSent) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "whole.pro");
    const std::string whole = ReadFile(Path("whole.pro"));
    for (int percent : {10, 50, 90}) {
        WriteFile(Path("cut.pro"), whole.substr(0, whole.size() * percent / 100));
        ClearTrace();
        ExpectOneLineFailure(Run({"write-keys", "cut.pro"}), 3,
                             "cut.pro: the profile is damaged at line ");
        // The version query only: not one key record.
        EXPECT_EQ(SentTrace(), std::vector<std::string>{kVersionRequest}) << percent;
        ExpectOneLineFailure(Run({"show", "cut.pro"}), 3, "the profile is damaged");
    }
}

TEST_F(ToolFailure, ProfilesThatAreNoFilesAreRefusedAtOnce) {
    ASSERT_TRUE(testplatform::MakeFifo(Path("fifo.pro")));
    ExpectOneLineFailure(Run({"show", "fifo.pro"}), 3, "fifo.pro: not a regular file");
    ExpectOneLineFailure(Run({"write-keys", "/dev/zero"}), 3, "/dev/zero: not a regular file");
}

TEST_F(ToolFailure, AStateFileThatIsNoFileIsNeitherReadNorWrittenOver) {
    ASSERT_TRUE(testplatform::MakeFifo(Path("fifo.txt")));
    for (const std::string& state : {Path("fifo.txt"), std::string("/dev/zero")}) {
        const ToolRun run = Run({"info"}, {{"Z9RT_SIM_STATE", state}});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, state +
                               ": not a regular file; the simulated keyboard keeps its "
                               "memory in memory only\n");
    }
    EXPECT_TRUE(testplatform::IsFifo(Path("fifo.txt")));
}

TEST_F(ToolFailure, AStateFileOfManyBadLinesIsToldOnceInShort) {
    std::string state = "model 1\n";
    for (int line = 0; line < 200000; ++line)
        state += "bogus " + std::to_string(line) + "\n";
    WriteFile(Path("keyboard.txt"), state);
    const ToolRun run = Run({"counters"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string expected;
    for (int line = 2; line <= 11; ++line) {
        expected += Path("keyboard.txt") + ": line " + std::to_string(line) +
                    ": unknown line \"bogus\" (line ignored)\n";
    }
    expected += Path("keyboard.txt") + ": and 199990 more bad lines (ignored)\n" +
                Path("keyboard.txt") + ": not written over until it is corrected\n";
    EXPECT_EQ(run.err, expected);
    EXPECT_EQ(ReadFile(Path("keyboard.txt")), state);
}

}  // namespace
}  // namespace z9rt::cli::test

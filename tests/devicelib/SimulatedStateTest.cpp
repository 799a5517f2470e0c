// The simulated keyboard's memory: the factory state, the state file that processes share,
// and the fault list.
#include "SimulatedKeyboardFixture.h"
#include "TestPlatform.h"
#include "channel/sim/SimulatedFaults.h"
#include "channel/sim/SimulatedStateFile.h"

namespace {

using testsupport::HexOf;
using testsupport::TemporaryFile;
using SimulatedState = SimulatedKeyboardTest;

TEST(SimulatedMemory, FactoryKeysFollowTheModel) {
    const auto prsmBle = z9rt::sim::FactoryMemory(1);
    const auto s = z9rt::sim::FactoryMemory(3);
    const auto prsm = z9rt::sim::FactoryMemory(4);
    // Key 46 ("A") on the layer without Fn: one code, 43.
    EXPECT_EQ(HexOf(prsmBle.keyRecords[45].at(0)), "00 f0 01 2e 00 01 2b");
    // Key 10 on the right Fn layer: 168 on the first model, nothing on the S model.
    EXPECT_EQ(HexOf(prsmBle.keyRecords[82 + 9].at(0)), "00 f0 02 0a 00 01 a8");
    EXPECT_EQ(HexOf(s.keyRecords[82 + 9].at(0)), "00 f0 02 0a");
    EXPECT_EQ(HexOf(prsm.keyRecords[164 + 49].at(0)), "00 f0 03 32");           // key 50
    EXPECT_EQ(HexOf(prsm.keyRecords[164 + 16].at(0)), "00 f0 03 11 00 01 8a");  // key 17
    EXPECT_EQ(HexOf(s.keyRecords[164 + 16].at(0)), "00 f0 03 11");
    EXPECT_EQ(HexOf(s.keyRecords[164 + 77].at(0)), "00 f0 03 4e 00 01 9c");  // Fn: 156
    for (const auto& records : prsmBle.keyRecords) {
        ASSERT_EQ(records.size(), 1u);
        EXPECT_NE(records[0][6], 199) << "the double click is no default";
    }
    EXPECT_NE(prsmBle.light, z9rt::LightArea{});
    EXPECT_GT(prsmBle.counters[45], 0u);
}

TEST(SimulatedStateFile, FormatAndParseRoundTrip) {
    auto memory = z9rt::sim::FactoryMemory(2);
    memory.keyRecords[3] = {testsupport::Hex("00 f0 01 04 02 01 00 00 00 00 36 01"),
                            testsupport::Hex("00 f0 01 04 02 01 00 00 00 00 36 02")};
    memory.light[0] = 7;
    memory.counters[81] = 4294967295u;
    memory.firmwareLinesAccepted = 12;
    const std::string text = z9rt::sim::FormatState(memory);
    EXPECT_NE(text.find("\nmodel 2\n"), std::string::npos);
    EXPECT_NE(text.find("\nrecord 1 4 00 f0 01 04 02 01 00 00 00 00 36 02\n"), std::string::npos);
    EXPECT_NE(text.find("\ncounter 82 4294967295\n"), std::string::npos);
    const auto parsed = z9rt::sim::ParseState(text, std::nullopt);
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.memory.model, 2);
    EXPECT_EQ(parsed.memory.keyRecords, memory.keyRecords);
    EXPECT_EQ(parsed.memory.light, memory.light);
    EXPECT_EQ(parsed.memory.counters, memory.counters);
    EXPECT_EQ(parsed.memory.firmwareLinesAccepted, 12);
}

// Two processes changed the keyboard at once: what each changed is kept.
TEST(SimulatedStateFile, AnotherProcessesChangesStayUnderThisOnes) {
    const auto base = z9rt::sim::FactoryMemory(1);
    auto ours = base;  // this process wrote key 1 and key 2's colour, took a firmware line
    ours.keyRecords[0] = {testsupport::Hex("00 f0 01 01 00 01 02")};
    ours.light[3] = 9;
    ours.firmwareLinesAccepted += 1;
    auto theirs = base;  // the other wrote key 3, the light of key 1 and counted presses
    theirs.keyRecords[2] = {testsupport::Hex("00 f0 01 03 00 01 04")};
    theirs.light[0] = 7;
    theirs.counters[5] = 42;
    theirs.firmwareLinesAccepted += 2;
    const auto merged = z9rt::sim::MergeState(base, ours, theirs);
    EXPECT_EQ(merged.keyRecords[0], ours.keyRecords[0]);
    EXPECT_EQ(merged.keyRecords[2], theirs.keyRecords[2]);
    EXPECT_EQ(merged.keyRecords[1], base.keyRecords[1]);
    EXPECT_EQ(merged.light[0], 7);
    EXPECT_EQ(merged.light[3], 9);
    EXPECT_EQ(merged.counters[5], 42U);
    EXPECT_EQ(merged.firmwareLinesAccepted, base.firmwareLinesAccepted + 3);
    // Where both changed the same thing, this process's change is the later one.
    theirs.keyRecords[0] = {testsupport::Hex("00 f0 01 01 00 01 05")};
    EXPECT_EQ(z9rt::sim::MergeState(base, ours, theirs).keyRecords[0], ours.keyRecords[0]);
}

TEST(SimulatedStateFile, HandEditedLinesOverrideTheFactoryState) {
    const auto parsed = z9rt::sim::ParseState(
        "# my keyboard\n\nmodel 4\nlight 2 1 2 3\n  counter 3 77\nrecord 2 5 00 F0 02 05 00 02 04 "
        "05\n",
        std::nullopt);
    EXPECT_TRUE(parsed.errors.empty());
    EXPECT_EQ(parsed.memory.model, 4);
    EXPECT_EQ(parsed.memory.light[3], 1);
    EXPECT_EQ(parsed.memory.counters[2], 77u);
    EXPECT_EQ(HexOf(parsed.memory.keyRecords[82 + 4].at(0)), "00 f0 02 05 00 02 04 05");
    // Unmentioned: factory values of model 4.
    EXPECT_EQ(parsed.memory.keyRecords[45], z9rt::sim::FactoryMemory(4).keyRecords[45]);
    // The environment's model wins over the file's.
    EXPECT_EQ(z9rt::sim::ParseState("model 4\n", 2).memory.model, 2);
}

TEST(SimulatedStateFile, BadLinesAreNamed) {
    const auto parsed =
        z9rt::sim::ParseState("model 9\nlight 83 1 2 3\ncounter 1 -4\nrecord 1 1 zz\nrecord 1 1 " +
                                  std::string(65 * 3, '0') + "\nwhatever\nlight 1 1 2 3\n",
                              std::nullopt);
    ASSERT_EQ(parsed.errors.size(), 6u);
    EXPECT_EQ(parsed.errors[0], "line 1: expected: model 1-4");
    EXPECT_EQ(parsed.errors[1].substr(0, 8), "line 2: ");
    EXPECT_EQ(parsed.errors[5], "line 6: unknown line \"whatever\"");
    EXPECT_EQ(parsed.memory.light[0], 1);
}

TEST(SimulatedStateFile, ManyBadLinesAreCountedAndTheFirstNamed) {
    std::string text;
    for (int line = 0; line < 100000; ++line) {
        text += "bogus\n";
    }
    const auto parsed = z9rt::sim::ParseState(text + "light 1 7 7 7\n", std::nullopt);
    EXPECT_EQ(parsed.badLineCount, 100000u);
    ASSERT_EQ(parsed.errors.size(), z9rt::sim::kBadLinesNamed);
    EXPECT_EQ(parsed.errors.back(), "line 10: unknown line \"bogus\"");
    EXPECT_EQ(parsed.memory.light[0], 7);
}

TEST(SimulatedStateFile, OnlyRegularFilesWithinTheLimitAreRead) {
    using Outcome = z9rt::sim::StateFileRead::Outcome;
    TemporaryFile fifo;
    std::remove(fifo.Path().c_str());
    ASSERT_TRUE(testplatform::MakeFifo(fifo.Path()));
    TemporaryFile huge;
    std::filesystem::resize_file(huge.Path(), z9rt::sim::kLargestStateFile + 1);
    TemporaryFile small;
    small.Write("model 2\n");
    TemporaryFile missing;
    std::remove(missing.Path().c_str());
    const struct {
        std::string path;
        Outcome outcome;
        std::string reason;
    } cases[] = {
        {fifo.Path(), Outcome::Refused, "not a regular file"},
        {"/dev/zero", Outcome::Refused, "not a regular file"},
        {huge.Path(), Outcome::Refused, "larger than 64 MiB"},
        {missing.Path(), Outcome::Missing, "No such file or directory"},
        {small.Path(), Outcome::Read, ""},
    };
    for (const auto& test : cases) {
        const z9rt::sim::StateFileRead read = z9rt::sim::ReadStateFile(test.path);
        EXPECT_EQ(read.outcome, test.outcome) << test.path;
        EXPECT_EQ(read.reason, test.reason) << test.path;
    }
    EXPECT_EQ(z9rt::sim::ReadStateFile(small.Path()).text, "model 2\n");
}

TEST_F(SimulatedState, ProcessesShareTheStateFile) {
    TemporaryFile state;
    std::remove(state.Path().c_str());
    z9rt::sim::UseSimulatedStateFile(state.Path());
    // A missing file is a factory-fresh keyboard, written out at once.
    EXPECT_NE(state.Read().find("record 1 46 00 f0 01 2e 00 01 2b\n"), std::string::npos);

    Open();
    const int combo[] = {0, 2, 67, 43};
    device.prepare();
    device.setKeyConfiguration(0, 46, combo, 4);
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    EXPECT_NE(state.Read().find("record 1 46 00 f0 01 2e 00 02 43 2b\n"), std::string::npos);
    device.__closeDev();

    // Another process changes the file; the next open sees it.
    std::string text = state.Read();
    text += "light 1 9 8 7\n";
    state.Write(text);
    Open();
    ASSERT_TRUE(device.readKeyLightFromDev());
    std::vector<int> colours(246);
    device.getKeyboardLightArea(colours.data());
    EXPECT_EQ(std::vector<int>(colours.begin(), colours.begin() + 3), std::vector<int>({9, 8, 7}));
    z9rt::sim::UseSimulatedStateFile("");
}

// A write the keyboard cannot keep fails, instead of being reported as done while the file
// keeps the old memory, and nothing of it is left beside the file.
TEST_F(SimulatedState, AWriteThatCannotBeKeptFailsAndLeavesNothingBeside) {
    TemporaryFile state;
    z9rt::sim::UseSimulatedStateFile(state.Path());
    const std::string before = state.Read();
    const std::string beside = state.Path() + ".tmp";
    std::filesystem::create_directory(beside);  // the new file cannot be made where it goes
    testing::internal::CaptureStderr();
    Open();
    std::vector<int> colours(246, 5);
    EXPECT_FALSE(device.setKeyboardLightArea(colours.data()));
    device.__closeDev();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              state.Path() + ": cannot write the simulated keyboard's state\n");
    EXPECT_EQ(state.Read(), before);

    std::filesystem::remove(beside);
    Open();
    EXPECT_TRUE(device.setKeyboardLightArea(colours.data()));
    device.__closeDev();
    EXPECT_NE(state.Read().find("light 1 5 5 5\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(beside));
    z9rt::sim::UseSimulatedStateFile("");
}

TEST_F(SimulatedState, AnUnchangedFileIsParsedOnceAndItsFaultsToldOnce) {
    TemporaryFile state;
    state.Write("model 1\nlight 1 300 0 0\nlight 2 1 2 3\n");
    testing::internal::CaptureStderr();
    z9rt::sim::UseSimulatedStateFile(state.Path());
    for (int run = 0; run < 3; ++run) {
        Open();
        ASSERT_TRUE(device.readKeyLightFromDev());
        device.__closeDev();
    }
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, state.Path() +
                        ": line 2: expected: light KEY(1-82) RED GREEN BLUE (0-255) "
                        "(line ignored)\n" +
                        state.Path() + ": not written over until it is corrected\n");
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().light[3], 1);
    z9rt::sim::UseSimulatedStateFile("");
}

TEST_F(SimulatedState, AFileThatIsNoStateFileIsNeitherReadNorWrittenOver) {
    TemporaryFile fifo;
    std::remove(fifo.Path().c_str());
    ASSERT_TRUE(testplatform::MakeFifo(fifo.Path()));
    testing::internal::CaptureStderr();
    z9rt::sim::UseSimulatedStateFile(fifo.Path());
    Open();
    std::vector<int> colours(246, 5);
    EXPECT_TRUE(device.setKeyboardLightArea(colours.data()));
    device.__closeDev();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              fifo.Path() +
                  ": not a regular file; the simulated keyboard keeps its memory in memory only\n");
    EXPECT_TRUE(testplatform::IsFifo(fifo.Path()));
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().light[0], 5);
    z9rt::sim::UseSimulatedStateFile("");
}

TEST_F(SimulatedState, AFileWithErrorsIsNotWrittenOver) {
    TemporaryFile state;
    state.Write("model 1\nlight 1 300 0 0\n");
    z9rt::sim::UseSimulatedStateFile(state.Path());
    Open();
    std::vector<int> colours(246, 5);
    device.setKeyboardLightArea(colours.data());
    EXPECT_EQ(state.Read(), "model 1\nlight 1 300 0 0\n");
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().light[0], 5);
    z9rt::sim::UseSimulatedStateFile("");
}

TEST(SimulatedFaults, ListsCombine) {
    std::string error;
    const auto faults = z9rt::sim::ParseFaults(" noise , unplug-after=12,malformed,", error);
    ASSERT_TRUE(faults);
    EXPECT_TRUE(faults->noise);
    EXPECT_TRUE(faults->malformed);
    EXPECT_FALSE(faults->busy);
    EXPECT_FALSE(faults->silent);
    EXPECT_EQ(faults->unplugAfter, 12);
    EXPECT_FALSE(faults->silentAfter);
    EXPECT_EQ(z9rt::sim::ParseFaults("silent-after=3", error)->silentAfter, 3);
    EXPECT_FALSE(z9rt::sim::ParseFaults("silent-after=-1", error));
    EXPECT_FALSE(z9rt::sim::ParseFaults("unplug-after=", error));
    EXPECT_EQ(z9rt::sim::ParseFaults("drop=7", error)->dropReport, 7);
    // Reports count from 1: there is no report 0 to lose.
    EXPECT_FALSE(z9rt::sim::ParseFaults("drop=0", error));
    EXPECT_FALSE(z9rt::sim::ParseFaults("drop=", error));
    EXPECT_FALSE(z9rt::sim::ParseFaults("loud", error));
    EXPECT_NE(error.find("\"loud\""), std::string::npos);
}

}  // namespace

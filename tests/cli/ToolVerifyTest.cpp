// z9rtctl's verified writes on the simulated keyboard: a keyboard that keeps everything
// verifies, one that lost a report of the write is caught and each key and layer (or colour)
// named, and a write without --verify talks to the keyboard as it always did.
#include "ToolFixture.h"

#include <gtest/gtest.h>

using model::CKeyboardConfig;
using model::kFirstKeyNumber;
using model::KindCombo;
using model::kLastKeyNumber;

namespace z9rt::cli::test {
namespace {

// Reports counted from the first one the tool sends: the version query, the start of the key
// write, then one record per slot (layer by layer) for keys that need one.
constexpr int kReportOfFirstSlot = 3;

class ToolVerifyTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        CKeyboardConfig config;
        Prepare(config, 1);
        config.keyMode[1][0] = KindCombo;  // Esc: Ctrl+C, not the factory's Esc
        config.keyList[1][0].Append(L"LCTRL");
        config.keyList[1][0].Append(L"C");
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            config.lightColor[static_cast<std::size_t>(key)] = {key, 2 * key, 3 * key};
        }
        Save(config, "edited.pro");
    }
};

TEST_F(ToolVerifyTest, CatchesAndNamesWhatTheKeyboardDidNotKeep) {
    const std::string dropFirstSlot = "drop=" + std::to_string(kReportOfFirstSlot);
    const struct {
        std::vector<std::string> arguments;
        std::string fault;
        int status;
        std::string out;  // what standard output holds ("" for nothing)
        std::string err;  // what standard error holds
    } cases[] = {
        {{"write-keys", "--verify", "edited.pro"},
         "",
         0,
         "",
         "Read back: the keyboard holds the key assignments as written"},
        {{"write-keys", "--verify", "edited.pro"},
         dropFirstSlot,
         1,
         "key 1 (Esc), NoneFn: sent Combo LCTRL | C; came back Single ESC\n",
         "z9rtctl: the keyboard does not hold the key assignments as written: 1 key slot "
         "differs\n"},
        {{"write-lights", "--verify", "edited.pro"},
         "",
         0,
         "",
         "Read back: the keyboard holds the key colours as written"},
        // The last colour chunk (after the query, the start and four chunks) carries key 82's
        // red and green.
        {{"write-lights", "--verify", "edited.pro"},
         "drop=7",
         1,
         "key 82 (Right) colour: sent #52a4f6; came back #",
         "the key colours as written: 1 key colour differs"},
        {{"set", "--write", "--verify", "edited.pro", "F1", "single", "TAB"},
         dropFirstSlot,
         1,
         "key 1 (Esc), NoneFn: sent Combo LCTRL | C; came back Single ESC\n",
         "edited.pro is saved, but the keyboard does not hold the key assignments as written"},
        {{"set", "--write", "--verify", "edited.pro", "F1", "single", "TAB"},
         "",
         0,
         "key 2 (F1), NoneFn: Single F1 -> Single TAB\n",
         "Read back: the keyboard holds the key assignments as written"},
        {{"color", "--write", "--verify", "edited.pro", "1", "#0a0b0c"},
         "drop=3",
         1,
         "key 1 (Esc) colour: sent #0a0b0c; came back #",
         "the keyboard may hold part of the key colours"},
    };
    for (const auto& c : cases) {
        const std::string what = c.arguments.front() + " " + c.fault;
        const ToolRun run = Run(c.arguments, {{"Z9RT_SIM_FAULT", c.fault}});
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        if (c.out.empty()) {
            EXPECT_EQ(run.out, "") << what;
        } else {
            EXPECT_NE(run.out.find(c.out), std::string::npos) << what << "\n" << run.out;
        }
        EXPECT_NE(run.err.find(c.err), std::string::npos) << what << "\n" << run.err;
        TearDown();  // the next case starts with a fresh keyboard and profile
        SetUp();
    }
}

TEST_F(ToolVerifyTest, WithoutVerifyTheConversationIsTheWriteAlone) {
    for (const char* command : {"write-keys", "write-lights"}) {
        ClearTrace();
        ASSERT_EQ(Run({command, "edited.pro"}).status, 0) << command;
        const std::vector<std::string> plain = Trace();
        ClearTrace();
        ASSERT_EQ(Run({command, "--verify", "edited.pro"}).status, 0) << command;
        const std::vector<std::string> verified = Trace();
        // The verified write says the same, then asks for what the keyboard holds.
        ASSERT_GT(verified.size(), plain.size()) << command;
        EXPECT_EQ(std::vector<std::string>(verified.begin(),
                                           verified.begin() + static_cast<long>(plain.size())),
                  plain)
            << command;
        EXPECT_EQ(plain.back().rfind('>', 0), 0u) << command;  // nothing was read back
    }
}

}  // namespace
}  // namespace z9rt::cli::test

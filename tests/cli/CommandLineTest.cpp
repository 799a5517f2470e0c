#include "CommandLine.h"

#include <gtest/gtest.h>

namespace z9rt::cli {
namespace {

TEST(CommandLineTest, OptionsMayStandAnywhere) {
    ParseResult parsed =
        ParseCommandLine({"show", "--json", "a.pro", "--model", "Z9RT(s)", "--simulate"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.commandLine.command, "show");
    EXPECT_EQ(parsed.commandLine.arguments, std::vector<std::string>{"a.pro"});
    EXPECT_TRUE(parsed.commandLine.json);
    EXPECT_TRUE(parsed.commandLine.simulate);
    EXPECT_EQ(parsed.commandLine.modelType, 3);
    EXPECT_EQ(ParseCommandLine({"--model=4", "defaults", "x"}).commandLine.modelType, 4);
}

TEST(CommandLineTest, WrongUsageIsNamed) {
    EXPECT_EQ(ParseCommandLine({}).error, "no command given");
    EXPECT_EQ(ParseCommandLine({"fly"}).error, "unknown command 'fly'");
    EXPECT_EQ(ParseCommandLine({"show"}).error, "'show' needs one FILE");
    EXPECT_EQ(ParseCommandLine({"list", "extra"}).error, "'list' takes no arguments");
    EXPECT_EQ(ParseCommandLine({"--fast", "list"}).error, "unknown option '--fast'");
    EXPECT_EQ(ParseCommandLine({"defaults", "x", "--model"}).error,
              "--model needs a device type (1..4 or a model name)");
    EXPECT_NE(ParseCommandLine({"defaults", "x", "--model", "5"}).error, "");
    // Help needs no command.
    ParseResult help = ParseCommandLine({"--help"});
    EXPECT_EQ(help.error, "");
    EXPECT_TRUE(help.commandLine.help);
}

TEST(CommandLineTest, EditingOptionsAndTheirValues) {
    ParseResult set =
        ParseCommandLine({"set", "a.pro", "A", "--layer", "right", "macro", "--cycles=3",
                          "--play-mode", "times", "--interval", "20", "--", "- Down", "--write"});
    ASSERT_EQ(set.error, "");
    const EditOptions& edit = set.commandLine.edit;
    EXPECT_EQ(edit.layer, 1);
    EXPECT_EQ(edit.cycles, 3);
    EXPECT_EQ(edit.playMode, 0);
    EXPECT_EQ(edit.interval, 20);
    EXPECT_FALSE(edit.write);  // after "--" every word is an argument
    EXPECT_EQ(set.commandLine.arguments,
              (std::vector<std::string>{"a.pro", "A", "macro", "- Down", "--write"}));
    EXPECT_TRUE(ParseCommandLine({"color", "a.pro", "all", "#ffffff", "--dry-run"})
                    .commandLine.edit.dryRun);
    for (const std::vector<std::string>& verified :
         {std::vector<std::string>{"write-keys", "a.pro", "--verify"},
          {"--verify", "write-lights", "a.pro"},
          {"color", "a.pro", "all", "#ffffff", "--write", "--verify"}}) {
        const ParseResult parsed = ParseCommandLine(verified);
        EXPECT_EQ(parsed.error, "");
        EXPECT_TRUE(parsed.commandLine.verify);
    }

    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{"set", "a.pro", "A"}, "'set' needs FILE KEY ASSIGNMENT"},
        {{"color", "a.pro", "A"}, "'color' needs FILE KEYS COLOUR"},
        {{"names", "a", "b"}, "'names' takes at most one KIND"},
        {{"set", "a.pro", "A", "clear", "--layer"}, "--layer needs a layer (none, right or left)"},
        {{"set", "a.pro", "A", "macro", "x", "--cycles", "0"},
         "--cycles '0' is not a number from 1 to 255"},
        {{"set", "a.pro", "A", "macro", "x", "--interval", "60001"},
         "--interval '60001' is not a number from 0 to 60000"},
        {{"show", "a.pro", "--layer", "left"},
         "--layer, --cycles, --play-mode and --interval are for 'set' only"},
        {{"write-keys", "a.pro", "--write"}, "--write is for 'set' and 'color' only"},
        {{"set", "a.pro", "A", "clear", "--dry-run", "--write"},
         "--dry-run and --write exclude each other"},
        {{"set", "a.pro", "A", "clear", "--dry-run=yes"}, "unknown option '--dry-run=yes'"},
        // Only a write is read back.
        {{"read", "a.pro", "--verify"},
         "--verify is for write-keys, write-lights, and set and color with --write"},
        {{"set", "a.pro", "A", "clear", "--verify"},
         "--verify is for write-keys, write-lights, and set and color with --write"},
    };
    for (const auto& [arguments, error] : wrong)
        EXPECT_EQ(ParseCommandLine(arguments).error, error);
}

TEST(CommandLineTest, ModelNamesAndNumbers) {
    EXPECT_EQ(ParseModelType("1"), 1);
    EXPECT_EQ(ParseModelType("Z9RT(PRSM)Ble"), 1);
    EXPECT_EQ(ParseModelType("z9rt(s)ble"), 2);
    EXPECT_EQ(ParseModelType("Z9RT(PRSM)"), 4);
    EXPECT_EQ(ParseModelType("0"), std::nullopt);
    EXPECT_EQ(ParseModelType("Z9RT"), std::nullopt);
}

}  // namespace
}  // namespace z9rt::cli

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

// The manual pages against what they describe: the commands, assignments, options and exit
// statuses that `z9rtctl --help` lists, and the environment variables the code reads. A
// command, option or variable added without its page entry (or a page entry left behind)
// fails here.
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

namespace z9rt::cli::test {
namespace {

namespace fs = std::filesystem;

const std::string kSourceDirectory = Z9RT_SOURCE_DIR;

using Words = std::set<std::string>;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// The tags (.TP and .TQ items) of a section of a roff page, roff escapes for '-' removed.
std::vector<std::string> SectionTags(const std::string& page, const std::string& section) {
    std::vector<std::string> tags;
    bool inSection = false;
    bool tagNext = false;
    for (const std::string& line : Lines(page)) {
        if (line.rfind(".SH ", 0) == 0) {
            inSection = line == ".SH " + section;
            continue;
        }
        if (!inSection)
            continue;
        if (line == ".TP" || line == ".TQ") {
            tagNext = true;
        } else if (tagNext) {
            tags.push_back(std::regex_replace(line, std::regex(R"(\\-)"), "-"));
            tagNext = false;
        }
    }
    return tags;
}

// The first word of each tag, after its font macro (".B list", ".BI set " file ..."").
Words FirstWords(const std::vector<std::string>& tags) {
    Words words;
    const std::regex tag(R"re(^\.(?:B|BI|BR|I)\s+"?([^\s"]+))re");
    for (const std::string& line : tags) {
        std::smatch match;
        if (std::regex_search(line, match, tag))
            words.insert(match[1]);
    }
    return words;
}

Words OptionWords(const std::vector<std::string>& lines) {
    Words words;
    const std::regex option(R"((?:^|[\s"])(--?[a-z-]*[a-z]|--)(?=[\s",=]|$))");
    for (const std::string& line : lines) {
        for (auto it = std::sregex_iterator(line.begin(), line.end(), option);
             it != std::sregex_iterator(); ++it)
            words.insert((*it)[1]);
    }
    return words;
}

// The lines of a --help block, from its heading to the next blank line.
std::vector<std::string> HelpBlock(const std::string& help, const std::string& heading) {
    std::vector<std::string> block;
    bool inBlock = false;
    for (const std::string& line : Lines(help)) {
        if (line.rfind(heading, 0) == 0) {
            inBlock = true;
        } else if (inBlock && line.empty()) {
            break;
        } else if (inBlock) {
            block.push_back(line);
        }
    }
    return block;
}

// The first word of each entry of a --help block (entries start two blanks in).
Words HelpEntries(const std::vector<std::string>& block) {
    Words words;
    const std::regex entry(R"(^  ([^\s-][^\s]*))");
    for (const std::string& line : block) {
        std::smatch match;
        if (std::regex_search(line, match, entry))
            words.insert(match[1]);
    }
    return words;
}

// The option column of the --help options: "  -h, --help   this text" gives -h and --help.
std::vector<std::string> HelpOptionColumn(const std::vector<std::string>& block) {
    std::vector<std::string> column;
    for (const std::string& line : block) {
        if (line.rfind("  -", 0) == 0)
            column.push_back(line.substr(0, line.find("  ", 2)));
    }
    return column;
}

// Every environment variable the sources under `folders` read with getenv, except those in
// `skipped` sub-folders.
Words VariablesReadIn(const std::vector<std::string>& folders, const std::string& skipped = "") {
    Words variables;
    const std::regex getenv(R"re(getenv\("([A-Z0-9_]+)"\))re");
    for (const std::string& folder : folders) {
        for (const auto& entry :
             fs::recursive_directory_iterator(kSourceDirectory + "/" + folder)) {
            const std::string path = entry.path().generic_string();
            if (!entry.is_regular_file() ||
                (!skipped.empty() && path.find(skipped) != std::string::npos))
                continue;
            const std::string source = ReadFile(path);
            for (auto it = std::sregex_iterator(source.begin(), source.end(), getenv);
                 it != std::sregex_iterator(); ++it)
                variables.insert((*it)[1]);
        }
    }
    return variables;
}

class ManualPageTest : public ::testing::Test {
protected:
    static std::string Page(const std::string& name) {
        return ReadFile(kSourceDirectory + "/docs/man/" + name);
    }
    static std::string Help() {
        const ToolRun run = RunTool({"--help"}, {}, fs::temp_directory_path().string());
        EXPECT_EQ(run.status, 0);
        return run.out;
    }
};

TEST_F(ManualPageTest, ToolPageListsEveryCommandAssignmentAndOption) {
    const std::string help = Help();
    const std::string page = Page("z9rtctl.1");
    EXPECT_EQ(FirstWords(SectionTags(page, "COMMANDS")), HelpEntries(HelpBlock(help, "Commands:")));
    EXPECT_EQ(FirstWords(SectionTags(page, "ASSIGNMENTS")),
              HelpEntries(HelpBlock(help, "Assignments")));
    const Words helpOptions = OptionWords(HelpOptionColumn(HelpBlock(help, "Options:")));
    EXPECT_EQ(OptionWords(SectionTags(page, "OPTIONS")), helpOptions);
    EXPECT_GE(helpOptions.size(), 12u);  // the parse found the options at all
}

TEST_F(ManualPageTest, ToolPageGivesEveryExitStatus) {
    Words helpStatuses;
    const std::string help = Help();
    const std::string statusText = help.substr(help.find("Exit status:"));
    const std::regex status(R"((?:: |;\s+)(\d) )");
    for (auto it = std::sregex_iterator(statusText.begin(), statusText.end(), status);
         it != std::sregex_iterator(); ++it)
        helpStatuses.insert((*it)[1]);
    EXPECT_EQ(helpStatuses, (Words{"0", "1", "2", "3"}));
    EXPECT_EQ(FirstWords(SectionTags(Page("z9rtctl.1"), "EXIT STATUS")), helpStatuses);
}

TEST_F(ManualPageTest, PagesNameEveryVariableTheProgramsRead) {
    // The tool never captures keys, so the key hook's variable is not its concern.
    EXPECT_EQ(FirstWords(SectionTags(Page("z9rtctl.1"), "ENVIRONMENT")),
              VariablesReadIn({"devicelib/src", "cli"}, "/hook/"));
    EXPECT_EQ(FirstWords(SectionTags(Page("z9rt-configurator.1"), "ENVIRONMENT")),
              VariablesReadIn({"devicelib/src", "app"}));
}

}  // namespace
}  // namespace z9rt::cli::test

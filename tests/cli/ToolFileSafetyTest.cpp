// Files the tool writes are never lost, damaged or silently changed: a save replaces only a
// regular file, keeps what the replaced file carried, leaves nothing behind when it is killed,
// and two edits of one file at once both count. Each test runs the built tool as a separate
// process, as a user or a script would, several side by side where that is the point.
#include "ToolFixture.h"

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

using model::CItemList;
using model::CKeyboardConfig;
using model::KindMacro;
using model::RGBColor;
using profile::LoadProfile;
using profile::ProfileResult;
using profile::SaveProfile;
using profile::TemporaryNameOf;

namespace z9rt::cli::test {
namespace {

std::string Hex(int red, int green, int blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
    return text;
}

class ToolFileSafety : public ToolTest {
protected:
    // A Z9RT(PRSM)Ble profile under `name`, with `macroKeys` slots holding a long macro so that
    // writing it takes a while.
    void SaveProfile(const std::string& name, int macroKeys = 0) {
        CKeyboardConfig config;
        Prepare(config, 1);
        int slot = 0;
        for (int key = 1; key <= 82 && slot < macroKeys; ++key) {
            for (int layer = 0; layer < 3 && slot < macroKeys; ++layer, ++slot) {
                CItemList& macro = config.keyList[static_cast<std::size_t>(key)][layer];
                config.keyMode[static_cast<std::size_t>(key)][layer] = KindMacro;
                macro.IsAutoInterval = true;
                for (int event = 0; event < 1600; ++event) {
                    macro.Append(event % 2 == 0 ? L"LSHIFT Down" : L"LSHIFT UP");
                }
            }
        }
        Save(config, name);
    }
    std::unique_ptr<CKeyboardConfig> Load(const std::string& name) {
        auto config = std::make_unique<CKeyboardConfig>();
        Prepare(*config, 1);
        const ProfileResult result = LoadProfile(*config, Path(name));
        EXPECT_TRUE(result.Ok()) << result.Message();
        return config;
    }
    // Names in the folder other than the ones the test made.
    std::vector<std::string> Leftovers(const std::vector<std::string>& made) const {
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(directory_)) {
            const std::string name = entry.path().filename().string();
            if (std::find(made.begin(), made.end(), name) == made.end() &&
                name.rfind(".tool-", 0) != 0) {
                left.push_back(name);
            }
        }
        return left;
    }
};

TEST_F(ToolFileSafety, OnlyARegularFileIsReplaced) {
    // Only things of the test's own: a tool that replaced a link's device would otherwise
    // replace a device of the system.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    const bool node = ::mknod(Path("node").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    fs::create_symlink(Path(node ? "node" : "fifo"), Path("device-link"));
    fs::create_symlink(Path("missing.pro"), Path("dangling"));
    fs::create_symlink(Path("loop-b"), Path("loop-a"));
    fs::create_symlink(Path("loop-a"), Path("loop-b"));
    struct Case {
        std::string name;
        const char* why;
    };
    std::vector<Case> cases = {{"fifo", "not a regular file"},
                               {"device-link", "not a regular file"},
                               {"dangling", "a symbolic link to a missing file"},
                               {"loop-a", "symbolic links"}};
    if (node) {  // a device node of its own where the test may make one (as root)
        cases.push_back({"node", "not a regular file"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = fs::symlink_status(Path(c.name)).type();
        const ToolRun run = Run({"--simulate", "read", c.name});
        ExpectOneLineFailure(run, 3, c.why);
        EXPECT_NE(run.err.find(c.name + ": "), std::string::npos);
        EXPECT_EQ(fs::symlink_status(Path(c.name)).type(), before);
    }
    if (node) {
        EXPECT_EQ(fs::status(Path("device-link")).type(), fs::file_type::character);
    }
    EXPECT_FALSE(fs::exists(Path("missing.pro")));
    EXPECT_TRUE(Leftovers({"fifo", "device-link", "dangling", "loop-a", "loop-b", "node",
                           "keyboard.txt", "trace.txt"})
                    .empty());

    // A link to a regular file is followed, as editors do: the target is replaced, the link
    // stays a link.
    SaveProfile("real.pro");
    fs::create_symlink("real.pro", Path("link.pro"));
    ASSERT_EQ(Run({"set", "link.pro", "1", "single", "F1"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(Path("link.pro")));
    EXPECT_EQ(Load("real.pro")->keyHWCode[1][0], 2);
}

TEST_F(ToolFileSafety, AReplacedFileKeepsItsPermissionsAndOwnerButNoSetId) {
    SaveProfile("p.pro");
    ASSERT_EQ(::chmod(Path("p.pro").c_str(), 04755), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(Path("p.pro").c_str(), 1234, 5678), 0);
    }
    ASSERT_EQ(Run({"set", "p.pro", "1", "single", "F1"}).status, 0);
    struct stat status {};
    ASSERT_EQ(::stat(Path("p.pro").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755U);
    if (root) {
        EXPECT_EQ(status.st_uid, 1234U);
        EXPECT_EQ(status.st_gid, 5678U);
    }

    // A file with another name is refused rather than cut off from it.
    fs::create_hard_link(Path("p.pro"), Path("other-name.pro"));
    const std::string before = ReadFile(Path("p.pro"));
    const ToolRun refused = Run({"set", "p.pro", "2", "single", "F2"});
    ExpectOneLineFailure(refused, 3, "p.pro: the file has 2 hard links");
    EXPECT_NE(refused.err.find("the file is left as it was"), std::string::npos);
    // Nothing was saved, so no change is reported.
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(ReadFile(Path("p.pro")), before);
    EXPECT_EQ(fs::hard_link_count(Path("p.pro")), 2U);
}

TEST_F(ToolFileSafety, AKilledSaveLeavesTheFileWholeAndNothingALaterSaveDoesNotClear) {
    SaveProfile("big.pro", 120);  // some megabytes: the write takes a while
    // Killed at moments spread evenly over a whole run, reading and writing alike.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Run({"set", "big.pro", "1", "single", "F2"}).status, 0);
    const auto whole = std::chrono::steady_clock::now() - start;
    constexpr int kKills = 16;
    for (int run = 0; run < kKills; ++run) {
        RunningTool tool = Start({"set", "big.pro", "1", "single", run % 2 == 0 ? "F1" : "F2"});
        std::this_thread::sleep_for(whole * (run + 1) / (kKills + 1));
        tool.Kill();
        tool.Finish();
        // Whatever the moment, the profile is one of the two whole versions.
        const auto config = Load("big.pro");
        EXPECT_EQ(config->keyMode[1][1], KindMacro);
    }
    // The next save clears what killed saves left, this version's and earlier versions' alike.
    WriteFile(Path(TemporaryNameOf("big.pro", 0x1234)), "partial");
    WriteFile(Path(".big.pro.tmp4242"), "partial");
    ASSERT_EQ(Run({"set", "big.pro", "1", "single", "F3"}).status, 0);
    EXPECT_EQ(Leftovers({"big.pro", "keyboard.txt", "trace.txt"}), std::vector<std::string>{});
}

TEST_F(ToolFileSafety, TwoEditsOfOneProfileAtOnceAreBothKept) {
    SaveProfile("s.pro");
    const char* keys[] = {"F1", "F2", "F3", "F4", "F5", "F6"};
    for (int run = 0; run < 12; ++run) {
        const std::string colour = Hex(10, 11, run);
        RunningTool set = Start({"set", "s.pro", "1", "single", keys[run % 6]});
        RunningTool color = Start({"color", "s.pro", "2", colour});
        ASSERT_EQ(set.Finish().status, 0);
        ASSERT_EQ(color.Finish().status, 0);
        const auto config = Load("s.pro");
        EXPECT_EQ(config->keyHWCode[1][0], 2 + run % 6) << run;
        EXPECT_EQ(config->lightColor[2], (RGBColor{10, 11, run})) << run;
    }
}

TEST_F(ToolFileSafety, TwoWritesToTheSimulatedKeyboardAtOnceAreBothKept) {
    SaveProfile("keys.pro");
    for (int run = 0; run < 8; ++run) {
        ASSERT_EQ(Run({"set", "keys.pro", "1", "single", run % 2 == 0 ? "F1" : "F2"}).status, 0);
        ASSERT_EQ(Run({"color", "keys.pro", "all", Hex(0, 0, run)}).status, 0);
        RunningTool keys = Start({"--simulate", "write-keys", "keys.pro"});
        RunningTool lights = Start({"--simulate", "write-lights", "keys.pro"});
        ASSERT_EQ(keys.Finish().status, 0);
        ASSERT_EQ(lights.Finish().status, 0);
        ASSERT_EQ(Run({"--simulate", "read", "back.pro"}).status, 0);
        const auto back = Load("back.pro");
        EXPECT_EQ(back->keyHWCode[1][0], run % 2 == 0 ? 2 : 3) << run;
        EXPECT_EQ(back->lightColor[40], (RGBColor{0, 0, run})) << run;
    }
}

}  // namespace
}  // namespace z9rt::cli::test

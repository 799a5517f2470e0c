// What a profile or a macro holds reaches the keyboard as it is, or is refused with what is
// wrong and where, within bounds: the tool as a separate process, on the simulated keyboard.
#include "ToolFixture.h"

using model::CItemList;
using model::CKeyboardConfig;
using model::KindCombo;
using model::KindEmulation;
using model::KindMacro;
using model::LayerRightFn;
using profile::LoadProfile;

namespace z9rt::cli::test {
namespace {

class ToolInput : public ToolTest {
protected:
    // The text of a Z9RT(PRSM)Ble profile whose key 2 (F1) holds `kind` with `list` on the
    // right Fn layer.
    std::string ProfileText(int kind, const CItemList& list) {
        CKeyboardConfig config;
        Prepare(config, 1);
        config.keyMode[2][LayerRightFn] = kind;
        config.keyList[2][LayerRightFn] = list;
        Save(config, "made.pro");
        return ReadFile(Path("made.pro"));
    }
    static CItemList Items(std::size_t count, const wchar_t* even, const wchar_t* odd) {
        CItemList list;
        for (std::size_t i = 0; i < count; ++i) {
            list.Append(i % 2 == 0 ? even : odd);
        }
        return list;
    }
    static std::string Replaced(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    }
};

TEST_F(ToolInput, AssignmentsTheKeyboardCannotTakeAsTheyAreNeverReachIt) {
    CItemList playMode = Items(2, L"A Down", L"<10 ms>");
    playMode.PlayMode = 99;
    CItemList unknownName = Items(2, L"LCTRL", L"NOTAKEY");
    CItemList fixed = Items(1601, L"A Down", L"A UP");
    fixed.IsAutoInterval = true;
    const struct {
        int kind;
        CItemList list;
        const char* rule;
    } cases[] = {
        {KindMacro, playMode, "play mode 99"},
        {KindCombo, unknownName, "item 2 'NOTAKEY' names no key the keyboard has a code for"},
        {KindCombo, Items(9, L"A", L"B"), "a combination of 9 keys; at most 6"},
        {KindEmulation, Items(7, L"A", L"B"), "an emulation of 7 keys; at most 6"},
        {KindEmulation, Items(1000, L"A", L"B"), "an emulation of 1000 keys"},
        {KindMacro, Items(5000, L"A Down", L"<5 ms>"), "a macro of 5000 items; at most 799"},
        {KindMacro, fixed, "a macro of 1601 items"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        WriteFile(Path("p.pro"), ProfileText(c.kind, c.list));
        ClearTrace();
        ExpectOneLineFailure(Run({"write-keys", "p.pro"}), 3,
                             std::string("p.pro: key 2 (F1), RightFn: ") + c.rule);
        EXPECT_EQ(SentTrace(), std::vector<std::string>{kVersionRequest});
        ExpectOneLineFailure(Run({"show", "p.pro"}), 3, c.rule);
    }
}

TEST_F(ToolInput, DamagedMarkupIsRefusedWithItsLineAndNeverWrittenBack) {
    CItemList macro = Items(3, L"A Down", L"<10 ms>");
    const std::string profile = ProfileText(KindMacro, macro);
    const std::string keyTwo = R"(<KEY ID="2" Level="1")";
    const struct {
        const char* name;
        std::string text;
        const char* what;
    } cases[] = {
        // Not UTF-8 in a name: read as Latin-1 it would move the macro to another layer.
        {"not UTF-8", Replaced(profile, keyTwo, "<KEY ID=\"2\" Le\xf6vel=\"1\""), "not UTF-8"},
        {"NUL", Replaced(profile, "<AREA ID=\"5\"", std::string("<AREA ID=\"5\"\0", 13)), "NUL"},
        {"cut off in CDATA", profile.substr(0, profile.find(keyTwo)) + "<![CDATA[", "CDATA"},
        {"ID out of range", Replaced(profile, "<x ID=\"2\"", "<x ID=\"70000\""), "from 0 to 65535"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path("p.pro"), c.text);
        const ToolRun shown = Run({"show", "p.pro"});
        ExpectOneLineFailure(shown, 3, "p.pro: the profile is damaged at line ");
        EXPECT_NE(shown.err.find(c.what), std::string::npos) << shown.err;
        ExpectOneLineFailure(Run({"set", "p.pro", "3", "single", "A"}), 3, "damaged");
        EXPECT_EQ(ReadFile(Path("p.pro")), c.text);
    }
}

TEST_F(ToolInput, InputBeyondItsLimitsIsRefusedAsSoonAsThatIsKnown) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "p.pro");
    const std::string before = ReadFile(Path("p.pro"));

    // A macro file: refused while it is read, not after 100001 items are parsed.
    std::string items;
    for (int i = 0; i < 100001; ++i) {
        items += i % 2 == 0 ? "A Down\n" : "<1 ms>\n";
    }
    WriteFile(Path("long.txt"), items);
    ExpectOneLineFailure(Run({"set", "p.pro", "1", "macro", "@long.txt"}), 3,
                         "long.txt holds more than 799 items");
    // Standard input is read up to what a macro can be.
    std::string endless;
    while (endless.size() <= (2U << 20)) {
        endless += "A Down,<1 ms>,A UP,<1 ms>\n";
    }
    WriteFile(Path("endless.txt"), endless);
    ExpectOneLineFailure(Run({"set", "p.pro", "1", "macro", "@-"}, {}, Path("endless.txt")), 3,
                         "standard input: too large for a macro");
    EXPECT_EQ(ReadFile(Path("p.pro")), before);

    // Profiles: nesting without end, and a file beyond the size any profile has.
    std::string nested = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Z9RT(PRSM)Ble>\r\n";
    for (int i = 0; i < 200000; ++i) {
        nested += "<a>";
    }
    WriteFile(Path("nested.pro"), nested);
    ExpectOneLineFailure(Run({"show", "nested.pro"}), 3,
                         "damaged at line 3: elements nested too deep");
    WriteFile(Path("huge.pro"), before);
    fs::resize_file(Path("huge.pro"), (64U << 20) + 1);
    ExpectOneLineFailure(Run({"show", "huge.pro"}), 3,
                         "the profile is too large: the file is larger than 64 MiB");
}

// A profile within the size limits can still need more memory than the machine gives: that is
// a refusal of the file (exit status 3), never an unexplained failure, and the file stays.
TEST_F(ToolInput, RunningOutOfMemoryIsReportedAsAFileTooLarge) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#endif
    if (!fs::exists("/usr/bin/prlimit")) {
        GTEST_SKIP() << "no prlimit to run the tool short of memory";
    }
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "small.pro");
    // A library name of 16 million characters: 16 MB in the file, four times that in memory.
    config.predefinedCombo.Append(std::wstring(std::size_t{16} << 20, L'A'));
    Save(config, "big.pro");
    const std::string before = ReadFile(Path("big.pro"));
    constexpr std::size_t kAddressSpace = std::size_t{48} << 20;
    const auto runShort = [this](const std::vector<std::string>& arguments) {
        return StartTool(arguments, environment_, directory_, "", kAddressSpace).Finish();
    };
    const ToolRun small = runShort({"show", "small.pro"});
    ASSERT_EQ(small.status, 0) << small.err;  // the limit leaves room for the tool itself
    ExpectOneLineFailure(runShort({"show", "big.pro"}), 3,
                         "big.pro: the profile is too large: there is not enough memory");
    const ToolRun edit = runShort({"set", "big.pro", "1", "single", "F1"});
    ExpectOneLineFailure(edit, 3, "too large");
    EXPECT_EQ(edit.out, "");
    EXPECT_EQ(ReadFile(Path("big.pro")), before);
}

TEST_F(ToolInput, ShowTakesTheProfilesOwnModelWhateverKeyboardIsAttached) {
    CKeyboardConfig config;
    Prepare(config, 3);
    Save(config, "s.pro");
    const ToolRun shown = Run({"--simulate", "show", "s.pro"}, {{"Z9RT_SIM_MODEL", "1"}});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.rfind("Profile of a Z9RT(S)\n", 0), 0U) << shown.out;
    // --model still says which model the file must be.
    ExpectOneLineFailure(Run({"--model", "1", "show", "s.pro"}), 3,
                         "profile of another keyboard model (Z9RT(S))");
}

TEST_F(ToolInput, AWriteCutOffAfterTheSaveSaysWhatBecameOfFileAndKeyboard) {
    CKeyboardConfig config;
    Prepare(config, 1);
    Save(config, "k.pro");
    const ToolRun cut = Run({"--simulate", "set", "k.pro", "1", "single", "F1", "--write"},
                            {{"Z9RT_SIM_FAULT", "unplug-after=20"}});
    ExpectOneLineFailure(cut, 1,
                         "k.pro is saved, but writing the key assignments failed: the keyboard "
                         "stopped taking reports; the keyboard may hold part of the key "
                         "assignments");
    EXPECT_EQ(cut.out, "key 1 (Esc), NoneFn: Single ESC -> Single F1\n");
    CKeyboardConfig saved;
    Prepare(saved, 1);
    ASSERT_TRUE(LoadProfile(saved, Path("k.pro")).Ok());
    EXPECT_EQ(saved.keyHWCode[1][0], 2);
}

}  // namespace
}  // namespace z9rt::cli::test

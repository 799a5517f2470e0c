// z9rtctl's editing commands run as a separate process: every kind of assignment set on a key
// and layer, proven by `show --json`, by the profile text and, written with --write, by the
// key record the simulated keyboard receives; every refusal with its exit status and the file
// left byte for byte as it was.
#include "ToolFixture.h"

#include <gtest/gtest.h>

#include <regex>

using model::CKeyboardConfig;

namespace z9rt::cli::test {
namespace {

// The lines of one KEY element of a profile, from its start tag to its end tag.
std::string KeyElement(const std::string& profile, int key, int layer) {
    const std::string start =
        "<KEY ID=\"" + std::to_string(key) + "\" Level=\"" + std::to_string(layer) + "\"";
    const std::size_t from = profile.find(start);
    if (from == std::string::npos)
        return "";
    return profile.substr(from, profile.find("</KEY>", from) - from);
}

// The item texts of the first list in `element`, in order, as the profile holds them.
std::vector<std::string> ItemTexts(const std::string& element) {
    std::vector<std::string> items;
    const std::regex item(R"re(<x ID="\d+" t1="([^"]*)">)re");
    for (auto it = std::sregex_iterator(element.begin(), element.end(), item);
         it != std::sregex_iterator(); ++it)
        items.push_back((*it)[1]);
    return items;
}

// The trace line that carries the first record of a layer (0..2) and key.
std::string RecordOf(const std::vector<std::string>& trace, int layer, int key) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "> 00 f0 %02x %02x", layer + 1, key);
    for (const std::string& line : trace) {
        if (line.rfind(prefix, 0) == 0)
            return line;
    }
    return "";
}

class ToolEditTest : public ToolTest {
protected:
    // A fresh Z9RT(PRSM)Ble profile, made without a keyboard.
    void FreshProfile(const std::string& name) {
        ASSERT_EQ(Run({"--model", "1", "defaults", name}, {{"Z9RT_HID", "none"}}).status, 0);
    }
};

struct KindCase {
    std::vector<std::string> arguments;  // after "set FILE"
    int key;
    int layer;
    int kind;
    std::string shown;  // the assignment `show --json` prints
    std::string keyTag;
    std::string listTag;             // "" for the kinds with a single code
    std::vector<std::string> items;  // as the profile escapes them
    std::vector<int> record;         // the slot's first record after 00 f0
};

const KindCase kKindCases[] = {
    {{"Esc", "single", "tab"},
     1,
     0,
     1,
     "TAB",
     R"(<KEY ID="1" Level="0" Mode="1" HWCode="28">)",
     "",
     {},
     {1, 1, 0, 1, 28}},
    {{"A", "--layer", "right", "combo", "lctrl + c"},
     46,
     1,
     2,
     "LCTRL | C",
     R"(<KEY ID="46" Level="1" Mode="2" HWCode="0">)",
     R"(<List SizeOfView="6" ViewStartAt="0" CursorPos="1" Cycles="1" IsAutoInterval="0" Delay="30" PlayMode="0">)",
     {"LCTRL", "C"},
     {2, 46, 0, 2, 67, 58}},
    {{"q", "--layer", "left", "--cycles", "2", "macro", "a down,<120ms>, A UP"},
     31,
     2,
     3,
     "A,120,A",
     R"(<KEY ID="31" Level="2" Mode="3" HWCode="0">)",
     R"(<List SizeOfView="9" ViewStartAt="0" CursorPos="2" Cycles="2" IsAutoInterval="0" Delay="30" PlayMode="0">)",
     {"A Down", "&lt;120 ms&gt;", "A UP"},
     // macro played 2 times, with delays: B = 8, A after 120 ms, A
     {3, 31, 2, 2, 1, 0, 0, 0, 8, 43, 0xc8, 0, 120, 43, 0xc8, 0, 0}},
    {{"32", "macro", "--interval", "15", "--play-mode", "hold", "LSHIFT Down", "a down",
      "A UP,lshift up"},
     32,
     0,
     3,
     "LSHIFT,A,A,LSHIFT",
     R"(<KEY ID="32" Level="0" Mode="3" HWCode="0">)",
     R"(<List SizeOfView="9" ViewStartAt="0" CursorPos="3" Cycles="1" IsAutoInterval="1" Delay="15" PlayMode="1">)",
     {"LSHIFT Down", "A Down", "A UP", "LSHIFT UP"},
     // kind 3 (play while held): no cycles, no delays, interval 15, four codes
     {1, 32, 3, 0, 0, 0, 15, 0, 4, 55, 43, 43, 55}},
    {{"E", "emulation", "--interval", "250", "H,", "I"},
     33,
     0,
     4,
     "H | I",
     R"(<KEY ID="33" Level="0" Mode="4" HWCode="0">)",
     R"(<List SizeOfView="9" ViewStartAt="0" CursorPos="1" Cycles="1" IsAutoInterval="0" Delay="250" PlayMode="0">)",
     {"H", "I"},
     {1, 33, 1, 0, 250, 2, 48, 36}},
    {{"F1", "--layer", "right", "media", "play/pause"},
     2,
     1,
     5,
     "Play/Pause",
     R"(<KEY ID="2" Level="1" Mode="5" HWCode="111">)",
     "",
     {},
     {2, 2, 0, 1, 111}},
    {{"d", "mouse", "Left", "Double", "Click"},
     48,
     0,
     6,
     "Left Double Click",
     R"(<KEY ID="48" Level="0" Mode="6" HWCode="199">)",
     "",
     {},
     {1, 48, 0, 2, 130, 130}},
    {{"G", "--layer=left", "function", "game"},
     50,
     2,
     7,
     "Game",
     R"(<KEY ID="50" Level="2" Mode="7" HWCode="171">)",
     "",
     {},
     {3, 50, 0, 1, 171}},
    {{"del", "power", "SLEEP"},
     14,
     0,
     8,
     "Sleep",
     R"(<KEY ID="14" Level="0" Mode="8" HWCode="76">)",
     "",
     {},
     {1, 14, 0, 1, 76}},
    // Cleared: the kind goes, the code stays, and the keyboard gets an empty slot.
    {{"Up", "clear"},
     71,
     0,
     0,
     "",
     R"(<KEY ID="71" Level="0" Mode="0" HWCode="87">)",
     "",
     {},
     {1, 71, 0, 0}},
};

TEST_F(ToolEditTest, EveryKindIsStoredOnItsKeyAndLayer) {
    for (const KindCase& c : kKindCases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.arguments.back());
        FreshProfile("k.pro");
        std::vector<std::string> arguments = {"set", "k.pro"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ToolRun set = Run(arguments, {{"Z9RT_HID", "none"}});
        ASSERT_EQ(set.status, 0) << set.err;

        ToolRun json = Run({"--json", "show", "k.pro"}, {{"Z9RT_HID", "none"}});
        const std::string layerNames[] = {"NoneFn", "RightFn", "LeftFn"};
        EXPECT_NE(json.out.find(R"({"layer":)" + std::to_string(c.layer) + R"(,"name":")" +
                                layerNames[c.layer] + R"(","kind":)" + std::to_string(c.kind) +
                                R"(,"kindName":")"),
                  std::string::npos);
        EXPECT_NE(json.out.find(R"(,"assignment":")" + c.shown + "\"}"), std::string::npos)
            << json.out.substr(0, 300);

        const std::string element = KeyElement(ReadFile(Path("k.pro")), c.key, c.layer);
        EXPECT_EQ(element.rfind(c.keyTag, 0), 0u) << element;
        if (!c.listTag.empty()) {
            EXPECT_NE(element.find("<ComboKey>\r\n" + c.listTag + "\r\n"), std::string::npos)
                << element;
        }
        EXPECT_EQ(ItemTexts(element), c.items);

        // The same edit on a fresh file, straight on to the simulated keyboard.
        FreshProfile("w.pro");
        fs::remove(Path("keyboard.txt"));
        ClearTrace();
        arguments[1] = "w.pro";
        arguments.emplace_back("--write");
        ToolRun written = Run(arguments);
        ASSERT_EQ(written.status, 0) << written.err;
        std::vector<int> record = {0x00, 0xf0};
        record.insert(record.end(), c.record.begin(), c.record.end());
        EXPECT_EQ(RecordOf(Trace(), c.layer, c.key), Sent(record));
        EXPECT_EQ(ReadFile(Path("w.pro")), ReadFile(Path("k.pro")));
    }
}

TEST_F(ToolEditTest, AnFnKeyFunctionGoesOnAllThreeLayers) {
    FreshProfile("k.pro");
    ToolRun run = Run({"--simulate", "set", "k.pro", "Caps Lock", "function", "leftfn", "--write"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "key 45 (Caps Lock), NoneFn: Single CAPS LOCK -> Function LeftFN\n"
              "key 45 (Caps Lock), RightFn: Not set -> Function LeftFN\n"
              "key 45 (Caps Lock), LeftFn: Not set -> Function LeftFN\n");
    EXPECT_EQ(run.err, "Saved k.pro\nWrote the key assignments of k.pro to the Z9RT(PRSM)Ble\n");
    const std::string profile = ReadFile(Path("k.pro"));
    const std::vector<std::string> trace = Trace();
    for (int layer = 0; layer < 3; ++layer) {
        EXPECT_EQ(KeyElement(profile, 45, layer)
                      .rfind("<KEY ID=\"45\" Level=\"" + std::to_string(layer) +
                                 "\" Mode=\"7\" HWCode=\"166\">",
                             0),
                  0u);
        EXPECT_EQ(RecordOf(trace, layer, 45), Sent({0x00, 0xf0, layer + 1, 45, 0, 1, 166}));
    }
}

TEST_F(ToolEditTest, DryRunSaysWhatWouldChangeAndChangesNothing) {
    FreshProfile("k.pro");
    const std::string before = ReadFile(Path("k.pro"));
    ToolRun run = Run({"set", "k.pro", "A", "combo", "LCTRL+C", "--dry-run"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "key 46 (A), NoneFn: Single A -> Combo LCTRL | C\n");
    EXPECT_EQ(run.err, "Dry run: k.pro is left as it was\n");
    ToolRun colours = Run({"color", "k.pro", "1,a", "#00FF00", "--dry-run"});
    ASSERT_EQ(colours.status, 0) << colours.err;
    EXPECT_EQ(colours.out, "key 1 (Esc): #000000 -> #00ff00\nkey 46 (A): #000000 -> #00ff00\n");
    EXPECT_EQ(ReadFile(Path("k.pro")), before);
    EXPECT_TRUE(Trace().empty());

    // An edit that changes nothing leaves the file alone, too.
    ToolRun same = Run({"set", "k.pro", "46", "single", "A"});
    ASSERT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "k.pro already holds that; the file is left as it was\n");
    EXPECT_EQ(ReadFile(Path("k.pro")), before);
}

TEST_F(ToolEditTest, ColoursGoToTheProfileAndTheKeyboard) {
    FreshProfile("k.pro");
    ToolRun run = Run({"color", "k.pro", "1-3,A,a", "#FF8000", "--write"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4);
    const std::string profile = ReadFile(Path("k.pro"));
    for (int key : {1, 2, 3, 46})
        EXPECT_NE(profile.find("<AREA ID=\"" + std::to_string(key) +
                               "\" Red=\"255\" Green=\"128\" Blue=\"0\"/>"),
                  std::string::npos);
    EXPECT_NE(profile.find(R"(<AREA ID="4" Red="0" Green="0" Blue="0"/>)"), std::string::npos);
    // Keys 1 to 3 open the first chunk; key 46 is bytes 135..137 of the light area, in the
    // third chunk of 61 bytes.
    const std::vector<std::string> trace = Trace();
    ASSERT_EQ(trace.size(), 2u + 7);
    EXPECT_EQ(trace[3], Sent({0x00, 0xe0, 61, 255, 128, 0, 255, 128, 0, 255, 128, 0}));
    std::vector<int> third(64, 0);
    third[1] = 0xe0;
    third[2] = 61;
    third[3 + 135 - 122] = 255;
    third[3 + 136 - 122] = 128;
    EXPECT_EQ(trace[5], Sent(third));

    ToolRun all = Run({"color", "k.pro", "all", "0a0B0c"});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 82);
    ToolRun json = Run({"--json", "show", "k.pro"});
    EXPECT_NE(json.out.find(R"("colour":{"red":10,"green":11,"blue":12}}]})"), std::string::npos);
}

struct Refusal {
    std::vector<std::string> arguments;
    int status;
    std::string words;
};

TEST_F(ToolEditTest, RefusedEditsSayWhyAndLeaveTheFileAlone) {
    FreshProfile("k.pro");
    CKeyboardConfig other;
    Prepare(other, 3);
    Save(other, "s.pro");
    WriteFile(Path("junk.pro"), "<html><body>not a profile</body></html>");
    WriteFile(Path("steps.txt"), "# a recorded macro\nA Down, <30 ms>\nA UP\n\nB Dwn\n");
    std::string longMacro = "A Down";
    for (int i = 0; i < 400; ++i)
        longMacro += ",<1 ms>,A UP";
    const Refusal refusals[] = {
        // Keys and layers.
        {{"set", "k.pro", "Esk", "single", "A"}, 2, "unknown key 'Esk'; did you mean 'Esc'?"},
        {{"set", "k.pro", "Shift", "single", "A"}, 2, "is on keys 59 and 70; give the key number"},
        {{"set", "k.pro", "83", "single", "A"}, 2, "there is no key 83: keys are numbered 1 to 82"},
        {{"set", "k.pro", "A", "--layer", "up", "single", "A"}, 2, "use none, right or left"},
        {{"set", "k.pro", "A"}, 2, "'set' needs FILE KEY ASSIGNMENT"},
        // Names.
        {{"set", "k.pro", "A", "singel", "B"},
         2,
         "unknown assignment 'singel'; did you mean 'single'?"},
        {{"set", "k.pro", "A", "combo", "Ctlr+C"},
         2,
         "unknown keyboard key name 'Ctlr'; did you mean 'LCTRL' or 'RCTRL'?"},
        {{"set", "k.pro", "A", "single", "Mute"},
         2,
         "'Mute' is a multimedia action, not a keyboard key; use 'media Mute'"},
        {{"set", "k.pro", "A", "media", "A"}, 2, "'A' is a keyboard key, not a multimedia action"},
        {{"set", "k.pro", "A", "combo", "LCTRL+Sleep"}, 2, "'Sleep' is a power action"},
        {{"set", "k.pro", "A", "single", "F13"}, 2, "'F13' has no code on the keyboard"},
        {{"set", "k.pro", "A", "power", "Standby"},
         2,
         "unknown power action name 'Standby'; use 'Wake Up', 'Sleep' or 'Power'"},
        {{"set", "k.pro", "A", "mouse", "Mouse Whel Up"}, 2, "did you mean 'Mouse Wheel Up'?"},
        {{"set", "k.pro", "A", "clear", "now"}, 2, "'clear' takes no value"},
        // Limits and shapes.
        {{"set", "k.pro", "A", "combo", "A+B+C+D+E+F+G"}, 2, "at most 6 keys, not 7"},
        {{"set", "k.pro", "A", "combo", "A++B"}, 2, "an empty key name"},
        {{"set", "k.pro", "A", "emulation", "--interval", "7000", "A"}, 2, "at most 6000 ms"},
        {{"set", "k.pro", "A", "macro", "A Down,A UP"},
         2,
         "item 1 'A Down' and item 2 'A UP' are both events"},
        {{"set", "k.pro", "A", "macro", "<30 ms>,A Down"}, 2, "a macro starts with an event"},
        {{"set", "k.pro", "A", "macro", "A Down,<70000 ms>,A UP"},
         2,
         "'<70000 ms>' is not a delay: write '<N ms>' with N from 0 to 65535"},
        {{"set", "k.pro", "A", "macro", "--interval", "5", "A Down,<3 ms>,A UP"},
         2,
         "item 2 '<3 ms>' is a delay; with --interval a macro holds events only"},
        {{"set", "k.pro", "A", "macro", longMacro}, 2, "holds 801 items; at most 799"},
        {{"set", "k.pro", "A", "--cycles", "2", "single", "B"}, 2, "shape a macro, not single"},
        {{"set", "k.pro", "A", "--cycles", "2", "--play-mode", "toggle", "macro", "A"},
         2,
         "--cycles counts the plays of --play-mode times only"},
        {{"set", "k.pro", "A", "--cycles", "300", "macro", "A"},
         2,
         "--cycles '300' is not a number from 1 to 255"},
        {{"set", "k.pro", "A", "macro", "@steps.txt"},
         3,
         "steps.txt:5: unknown keyboard key or mouse button name 'B Dwn'"},
        {{"set", "k.pro", "A", "macro", "@nowhere.txt"}, 3, "nowhere.txt: cannot read the macro"},
        // Colours.
        {{"color", "k.pro", "A", "red"}, 2, "colour 'red' is not #rrggbb"},
        {{"color", "k.pro", "1-99", "#ffffff"}, 2, "there is no key 99"},
        {{"color", "k.pro", "9-3", "#ffffff"}, 2, "runs backwards"},
        // Options.
        {{"set", "k.pro", "A", "single", "B", "--dry-run", "--write"},
         2,
         "--dry-run and --write exclude each other"},
        {{"show", "k.pro", "--dry-run"}, 2, "--dry-run is for 'set' and 'color' only"},
        // Files.
        {{"set", "junk.pro", "A", "single", "B"}, 3, "junk.pro"},
        {{"color", "junk.pro", "A", "#ffffff"}, 3, "junk.pro"},
        {{"--model", "1", "set", "s.pro", "A", "single", "B"},
         3,
         "profile of another keyboard model (Z9RT(S))"},
        {{"set", "s.pro", "A", "single", "B", "--write"},
         3,
         "profile of another keyboard model (Z9RT(S))"},
        {{"set", "missing.pro", "A", "single", "B"}, 3, "missing.pro"},
    };
    const std::string files[] = {"k.pro", "s.pro", "junk.pro"};
    std::map<std::string, std::string> before;
    for (const std::string& file : files)
        before[file] = ReadFile(Path(file));
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.words);
        ExpectOneLineFailure(Run(refusal.arguments), refusal.status, refusal.words);
        for (const std::string& file : files)
            EXPECT_EQ(ReadFile(Path(file)), before[file]) << file;
    }
    // The one refusal that opened the keyboard asked for its version and wrote nothing.
    EXPECT_EQ(Trace().size(), 2u);
    EXPECT_FALSE(fs::exists(Path("missing.pro")));

    // Without a keyboard, --write ends before the file is touched.
    ExpectOneLineFailure(
        Run({"set", "k.pro", "A", "single", "B", "--write"}, {{"Z9RT_HID", "none"}}), 1,
        "no keyboard");
    EXPECT_EQ(ReadFile(Path("k.pro")), before["k.pro"]);
}

TEST_F(ToolEditTest, AMacroFileHoldsItemsByLineOrComma) {
    FreshProfile("k.pro");
    WriteFile(Path("steps.txt"),
              "# Shift+A, recorded\r\nlshift down\r\n<20 ms>, a down\r\n<20 ms>\r\n"
              "A UP,<20 ms>,LSHIFT UP\r\n");
    ToolRun run = Run({"set", "k.pro", "A", "macro", "@steps.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ItemTexts(KeyElement(ReadFile(Path("k.pro")), 46, 0)),
              (std::vector<std::string>{"LSHIFT Down", "&lt;20 ms&gt;", "A Down", "&lt;20 ms&gt;",
                                        "A UP", "&lt;20 ms&gt;", "LSHIFT UP"}));
    // The key left of Z begins like a delay and is an event all the same.
    ToolRun iso = Run({"set", "k.pro", "Z", "macro", "<>| down,<10 ms>,<>| up"});
    ASSERT_EQ(iso.status, 0) << iso.err;
    EXPECT_EQ(ItemTexts(KeyElement(ReadFile(Path("k.pro")), 60, 0)),
              (std::vector<std::string>{"&lt;&gt;| Down", "&lt;10 ms&gt;", "&lt;&gt;| UP"}));
}

TEST_F(ToolEditTest, NamesListWhatEachKindAccepts) {
    ToolRun kinds = Run({"names"});
    EXPECT_EQ(kinds.out, "keys\nsingle\ncombo\nmacro\nemulation\nmedia\nmouse\nfunction\npower\n");
    EXPECT_EQ(Run({"names", "power"}).out, "Wake Up\nSleep\nPower\n");
    ToolRun media = Run({"names", "Media"});
    EXPECT_EQ(std::count(media.out.begin(), media.out.end(), '\n'), 18);
    ToolRun keys = Run({"names", "keys"});
    EXPECT_NE(keys.out.find("\n46\tA\n"), std::string::npos);
    EXPECT_EQ(std::count(keys.out.begin(), keys.out.end(), '\n'), 82);
    ExpectOneLineFailure(Run({"names", "moose"}), 2, "unknown kind 'moose'; did you mean 'mouse'?");
    // Names need no keyboard.
    EXPECT_EQ(Run({"names", "single"}, {{"Z9RT_HID", "none"}}).status, 0);
    EXPECT_TRUE(Trace().empty());
}

}  // namespace
}  // namespace z9rt::cli::test

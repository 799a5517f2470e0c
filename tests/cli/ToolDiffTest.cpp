// z9rtctl diff on profiles and the simulated keyboard: a profile with itself, with an edited
// copy and with the keyboard before and after a write; what the keyboard cannot tell apart is
// no difference; a refused file ends it with status 3.
#include "ToolFixture.h"

#include <gtest/gtest.h>

using model::CKeyboardConfig;
using model::KindCombo;
using model::KindMacro;

namespace z9rt::cli::test {
namespace {

class ToolDiffTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        CKeyboardConfig config;
        Prepare(config, 1);
        Save(config, "plain.pro");
        // A macro whose last event is followed by a delay, which the keyboard does not keep.
        config.keyMode[2][1] = KindMacro;
        for (const wchar_t* item : {L"O Down", L"<20 ms>", L"O UP", L"<40 ms>"}) {
            config.keyList[2][1].Append(item);
        }
        Save(config, "trailing.pro");
        config.keyList[2][1].RemoveAt(3);
        Save(config, "no-trailing.pro");
        config.keyMode[1][0] = KindCombo;
        config.keyList[1][0].Append(L"LCTRL");
        config.keyList[1][0].Append(L"C");
        config.lightColor[3] = {255, 0, 0};
        Save(config, "edited.pro");
        WriteFile(Path("bad.pro"), "not a profile\n");
    }
};

TEST_F(ToolDiffTest, NamesEachKeyLayerAndColourThatDiffers) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"diff", "plain.pro", "plain.pro"},
         0,
         "",
         "plain.pro and plain.pro hold the same keys and colours\n"},
        {{"diff", "trailing.pro", "no-trailing.pro"},
         0,
         "",
         "trailing.pro and no-trailing.pro hold the same keys and colours\n"},
        {{"diff", "no-trailing.pro", "edited.pro"},
         1,
         "key 1 (Esc), NoneFn: no-trailing.pro Single ESC; edited.pro Combo LCTRL | C\n"
         "key 3 (F2) colour: no-trailing.pro #000000; edited.pro #ff0000\n",
         "z9rtctl: no-trailing.pro and edited.pro differ: 1 key slot, 1 colour\n"},
        {{"diff", "plain.pro", "trailing.pro"},
         1,
         "key 2 (F1), RightFn: plain.pro Multimedia Mute; trailing.pro Macro O,20,O\n",
         "z9rtctl: plain.pro and trailing.pro differ: 1 key slot, 0 colours\n"},
        {{"diff", "--json", "plain.pro", "edited.pro"},
         1,
         R"({"same":false,"keys":[{"key":1,"caption":"Esc","layer":0,"name":"NoneFn",)"
         R"("a":{"kind":1,"kindName":"Single","assignment":"ESC"},)"
         R"("b":{"kind":2,"kindName":"Combo","assignment":"LCTRL | C"}},)"
         R"({"key":2,"caption":"F1","layer":1,"name":"RightFn",)"
         R"("a":{"kind":5,"kindName":"Multimedia","assignment":"Mute"},)"
         R"("b":{"kind":3,"kindName":"Macro","assignment":"O,20,O"}}],)"
         R"("colours":[{"key":3,"caption":"F2","a":{"red":0,"green":0,"blue":0},)"
         R"("b":{"red":255,"green":0,"blue":0}}]})"
         "\n",
         "differ: 2 key slots, 1 colour"},
        {{"diff", "--json", "plain.pro", "plain.pro"},
         0,
         R"({"same":true,"keys":[],"colours":[]})"
         "\n",
         "the same"},
        {{"diff", "plain.pro", "bad.pro"}, 3, "", "z9rtctl: bad.pro: "},
        {{"diff", "missing.pro", "plain.pro"}, 3, "", "z9rtctl: missing.pro: "},
        {{"diff", "--model", "3", "plain.pro", "plain.pro"}, 3, "", "another keyboard model"},
    };
    for (const auto& c : cases) {
        const std::string what = c.arguments.at(c.arguments.size() - 2) + " " + c.arguments.back() +
                                 (c.arguments.at(1) == "--json" ? " json" : "");
        const ToolRun run = Run(c.arguments, {{"Z9RT_HID", "none"}});
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        EXPECT_EQ(run.out, c.out) << what;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << what << "\n" << run.err;
    }
}

TEST_F(ToolDiffTest, ComparesWithTheKeyboardBeforeAndAfterAWrite) {
    ToolRun before = Run({"diff", "edited.pro", "keyboard"});
    EXPECT_EQ(before.status, 1) << before.err;
    EXPECT_NE(before.out.find("key 1 (Esc), NoneFn: edited.pro Combo LCTRL | C; keyboard Single "
                              "ESC\n"),
              std::string::npos)
        << before.out;
    ASSERT_EQ(Run({"write-keys", "edited.pro"}).status, 0);
    ASSERT_EQ(Run({"write-lights", "edited.pro"}).status, 0);
    for (const auto& [a, b] :
         {std::pair{"edited.pro", "keyboard"}, std::pair{"keyboard", "trailing.pro"}}) {
        const ToolRun after = Run({"diff", a, b});
        const bool same = std::string(b) == "keyboard";
        EXPECT_EQ(after.status, same ? 0 : 1) << a << " " << b << "\n" << after.err;
        EXPECT_EQ(after.out.empty(), same) << after.out;
    }
    // Without a keyboard, the side that needs one fails as every keyboard command does.
    ExpectOneLineFailure(Run({"diff", "keyboard", "plain.pro"}, {{"Z9RT_HID", "none"}}), 1,
                         "no keyboard of the family is attached");
}

}  // namespace
}  // namespace z9rt::cli::test

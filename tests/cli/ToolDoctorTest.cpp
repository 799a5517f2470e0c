// z9rtctl doctor where no real keyboard can be: the simulated keyboard named as such, a
// keyboard that does not answer, no keyboard looked for at all; its exit status tells whether
// a keyboard is usable. (The real machine's findings are proven in the kernel rig.)
#include "ToolFixture.h"

#include <gtest/gtest.h>

namespace z9rt::cli::test {
namespace {

using ToolDoctorTest = ToolTest;

TEST_F(ToolDoctorTest, SaysWhetherAKeyboardIsUsableAndWhy) {
    const struct {
        std::map<std::string, std::string> environment;
        std::vector<std::string> arguments;
        int status;
        std::string out;
    } cases[] = {
        {{},
         {"doctor"},
         0,
         "note: the simulated keyboard is in use (Z9RT_HID=sim or --simulate): no real keyboard "
         "is looked at. Fix: unset Z9RT_HID and leave out --simulate to use the real keyboard\n"
         "note: the Z9RT(PRSM)Ble answers: firmware version Z9RT(PRSM)Ble V2.31 SIM\n"},
        {{{"Z9RT_SIM_FAULT", "silent"}},
         {"doctor"},
         1,
         "note: the simulated keyboard is in use (Z9RT_HID=sim or --simulate): no real keyboard "
         "is looked at. Fix: unset Z9RT_HID and leave out --simulate to use the real keyboard\n"
         "problem: the Z9RT(PRSM)Ble does not answer the version query. Fix: close the programs "
         "that use it, or unplug and replug it\n"},
        {{{"Z9RT_HID", "none"}},
         {"doctor"},
         1,
         "problem: Z9RT_HID=none: no keyboard is looked for. Fix: unset Z9RT_HID\n"},
        {{{"Z9RT_HID", "none"}},
         {"doctor", "--json"},
         1,
         R"({"usable":false,"findings":[{"id":"no-backend","problem":true,)"
         R"("text":"Z9RT_HID=none: no keyboard is looked for","fix":"unset Z9RT_HID"}]})"
         "\n"},
        {{{"Z9RT_SIM_MODEL", "3"}},
         {"--json", "doctor"},
         0,
         R"({"usable":true,"findings":[{"id":"simulated","problem":false,)"
         R"("text":"the simulated keyboard is in use (Z9RT_HID=sim or --simulate): no real )"
         R"(keyboard is looked at","fix":"unset Z9RT_HID and leave out --simulate to use the )"
         R"(real keyboard"},{"id":"firmware","problem":false,"text":"the Z9RT(S) answers: )"
         R"(firmware version Z9RT(S) V1.42 SIM","fix":""}]})"
         "\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Run(c.arguments, c.environment);
        EXPECT_EQ(run.status, c.status) << run.out << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.status == 0 ? "The keyboard is usable\n"
                                         : "z9rtctl: no keyboard is usable (see the findings)\n");
    }
}

}  // namespace
}  // namespace z9rt::cli::test

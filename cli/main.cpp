// z9rtctl: configure a keyboard of the family from the command line.
#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "ExitStatus.h"
#include "OrvoHWI.h"
#include "ProcessEnvironment.h"
#include "model/LibraryPosts.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <new>
#include <string>
#include <vector>

using namespace z9rt::cli;

namespace {

int Fail(ExitStatus status, const std::string& message) {
    std::fprintf(stderr, "z9rtctl: %s\n", message.c_str());
    return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
    const ParseResult parsed = ParseCommandLine(PrepareConsole(argc, argv));
    if (!parsed.error.empty()) {
        return Fail(ExitStatus::Usage, parsed.error + " (see z9rtctl --help)");
    }
    const CommandLine& line = parsed.commandLine;
    if (line.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (line.simulate) {
        SetProcessEnvironment("Z9RT_HID", "sim");
    }
    if (const std::string problem = KeyboardBackendProblem(); !problem.empty()) {
        return Fail(ExitStatus::Usage, problem);
    }

    // The library's progress reaches the tool's listeners; the tool has no windows.
    model::library_posts::Install();

    using Command = void (*)(const CommandLine&);
    static const std::map<std::string, Command> commands = {
        {"list", RunList},
        {"info", RunInfo},
        {"defaults", RunDefaults},
        {"show", RunShow},
        {"write-keys", RunWriteKeys},
        {"write-lights", RunWriteLights},
        {"read", RunRead},
        {"counters", RunCounters},
        {"firmware", RunFirmware},
        {"set", RunSet},
        {"color", RunColor},
        {"names", RunNames},
        {"diff", RunDiff},
        {"doctor", RunDoctor},
    };
    try {
        commands.at(line.command)(line);
        return 0;
    } catch (const CommandFailure& failure) {
        return Fail(failure.Status(), failure.what());
    } catch (const std::bad_alloc&) {
        // Only an input far beyond anything the tool handles needs more memory than there is.
        return Fail(ExitStatus::FileRefused, "the input is too large: there is not enough memory");
    } catch (const std::exception& unexpected) {
        return Fail(ExitStatus::DeviceFailure, unexpected.what());
    }
}

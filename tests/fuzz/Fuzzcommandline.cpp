// The tool's command line on any arguments (the input split at its NUL bytes): parsing never
// fails badly, and what it accepts is a command (or help) with a model among the four.
#include "CommandLine.h"
#include "FuzzSupport.h"

#include <string>
#include <vector>

namespace {

using fuzzsupport::Require;

constexpr std::size_t kMostArguments = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t at = 0; at < size && args.size() < kMostArguments; ++at) {
        if (data[at] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[at]);
        }
    }
    if (!current.empty() && args.size() < kMostArguments) {
        args.push_back(current);
    }
    const z9rt::cli::ParseResult result = z9rt::cli::ParseCommandLine(args);
    if (result.error.empty()) {
        const z9rt::cli::CommandLine& line = result.commandLine;
        Require(line.help || !line.command.empty());
        Require(!line.modelType || (*line.modelType >= 1 && *line.modelType <= 4));
    }
    for (const std::string& arg : args) {
        const std::optional<int> model = z9rt::cli::ParseModelType(arg);
        Require(!model || (*model >= 1 && *model <= 4));
    }
    return 0;
}

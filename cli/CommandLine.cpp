#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace z9rt::cli {
namespace {

struct CommandShape {
    int argumentCount;
    const char* argumentName;
};

// Every command and the number of arguments it takes.
const std::map<std::string, CommandShape>& Commands() {
    static const std::map<std::string, CommandShape> commands = {
        {"list", {0, ""}},     {"info", {0, ""}},           {"defaults", {1, "FILE"}},
        {"show", {1, "FILE"}}, {"write-keys", {1, "FILE"}}, {"write-lights", {1, "FILE"}},
        {"read", {1, "FILE"}}, {"counters", {0, ""}},       {"firmware", {1, "FILE"}},
    };
    return commands;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::optional<int> ParseModelType(const std::string& text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '4')
        return text[0] - '0';
    static const char* const names[] = {"z9rt(prsm)ble", "z9rt(s)ble", "z9rt(s)", "z9rt(prsm)"};
    const std::string lowered = Lowered(text);
    for (int type = 1; type <= 4; ++type) {
        if (lowered == names[type - 1])
            return type;
    }
    return std::nullopt;
}

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
    ParseResult result;
    CommandLine& line = result.commandLine;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--simulate") {
            line.simulate = true;
        } else if (arg == "--json") {
            line.json = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--model" || arg.rfind("--model=", 0) == 0) {
            std::string value;
            if (arg == "--model") {
                if (i + 1 >= args.size()) {
                    result.error = "--model needs a device type (1..4 or a model name)";
                    return result;
                }
                value = args[++i];
            } else {
                value = arg.substr(8);
            }
            line.modelType = ParseModelType(value);
            if (!line.modelType) {
                result.error = "unknown model '" + value +
                               "': use 1..4 or Z9RT(PRSM)Ble, Z9RT(S)Ble, Z9RT(S), Z9RT(PRSM)";
                return result;
            }
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            result.error = "unknown option '" + arg + "'";
            return result;
        } else {
            words.push_back(arg);
        }
    }
    if (line.help)
        return result;
    if (words.empty()) {
        result.error = "no command given";
        return result;
    }
    line.command = words.front();
    line.arguments.assign(words.begin() + 1, words.end());
    auto entry = Commands().find(line.command);
    if (entry == Commands().end()) {
        result.error = "unknown command '" + line.command + "'";
        return result;
    }
    const auto expected = static_cast<std::size_t>(entry->second.argumentCount);
    if (line.arguments.size() != expected) {
        result.error = expected == 0
                           ? "'" + line.command + "' takes no arguments"
                           : "'" + line.command + "' needs one " + entry->second.argumentName;
        return result;
    }
    return result;
}

std::string UsageText() {
    return R"(Usage: z9rtctl [--simulate] [--json] [--model TYPE] COMMAND [FILE]

Configure a Z9RT keyboard from the command line.

Commands:
  list               every keyboard of the family found: device type, model, interface path
  info               model, device type and firmware version of the keyboard in use
  defaults FILE      save the model's default configuration as a profile
  show FILE          print a profile: each key's assignment on every layer, and the colours
  write-keys FILE    write the profile's key assignments to the keyboard
  write-lights FILE  write the profile's key colours to the keyboard
  read FILE          read keys and colours from the keyboard and save them as a profile
  counters           read the key press counters: highest and lowest key, and a heat map
  firmware FILE      check a firmware file (name and Intel HEX content) and download it

Options:
  --simulate         use the built-in simulated keyboard (the same as Z9RT_HID=sim)
  --json             machine-readable output for list, info, counters and show
  --model TYPE       the model for defaults and show without a keyboard:
                     1 Z9RT(PRSM)Ble, 2 Z9RT(S)Ble, 3 Z9RT(S), 4 Z9RT(PRSM)
  -h, --help         this text

Exit status: 0 success; 1 the keyboard is missing, busy or a transfer failed;
2 wrong usage; 3 a file was refused (not a profile, another model's profile, a bad
firmware file).
)";
}

}  // namespace z9rt::cli

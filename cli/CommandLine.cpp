#include "CommandLine.h"

#include "EditValues.h"
#include "model/AssignmentRules.h"

#include <algorithm>
#include <cctype>
#include <map>

using model::kMacroCyclesMax;
using model::kMacroCyclesMin;
using model::kMacroIntervalMax;

namespace z9rt::cli {
namespace {

struct CommandShape {
    std::size_t fewest;      // arguments at least
    std::size_t most;        // arguments at most
    const char* wrongCount;  // what to say when the count is wrong
};
constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// Every command and the arguments it takes.
const std::map<std::string, CommandShape>& Commands() {
    static const std::map<std::string, CommandShape> commands = {
        {"list", {0, 0, "takes no arguments"}},
        {"info", {0, 0, "takes no arguments"}},
        {"defaults", {1, 1, "needs one FILE"}},
        {"show", {1, 1, "needs one FILE"}},
        {"write-keys", {1, 1, "needs one FILE"}},
        {"write-lights", {1, 1, "needs one FILE"}},
        {"read", {1, 1, "needs one FILE"}},
        {"counters", {0, 0, "takes no arguments"}},
        {"firmware", {1, 1, "needs one FILE"}},
        {"set", {3, kNoLimit, "needs FILE KEY ASSIGNMENT"}},
        {"color", {3, 3, "needs FILE KEYS COLOUR"}},
        {"names", {0, 1, "takes at most one KIND"}},
        {"diff", {2, 2, "needs two of FILE or keyboard"}},
        {"doctor", {0, 0, "takes no arguments"}},
    };
    return commands;
}

// An option that takes a value (--name VALUE or --name=VALUE): what the value is, and how it
// is stored; the store returns what is wrong with the value, or "".
struct ValueOption {
    const char* needs;
    std::string (*store)(const std::string& value, CommandLine& line);
};

template <typename T>
std::string Keep(const Parsed<T>& parsed, std::optional<T>& into) {
    into = parsed.value;
    return parsed.error;
}

const std::map<std::string, ValueOption>& ValueOptions() {
    static const std::map<std::string, ValueOption> options = {
        {"--model",
         {"a device type (1..4 or a model name)",
          [](const std::string& value, CommandLine& line) -> std::string {
              line.modelType = ParseModelType(value);
              return line.modelType ? ""
                                    : "unknown model '" + value +
                                          "': use 1..4 or Z9RT(PRSM)Ble, Z9RT(S)Ble, Z9RT(S), "
                                          "Z9RT(PRSM)";
          }}},
        {"--layer",
         {"a layer (none, right or left)",
          [](const std::string& value, CommandLine& line) {
              return Keep(ParseLayer(value), line.edit.layer);
          }}},
        {"--cycles",
         {"a repeat count (1..255)",
          [](const std::string& value, CommandLine& line) {
              return Keep(ParseNumberIn(value, kMacroCyclesMin, kMacroCyclesMax, "--cycles"),
                          line.edit.cycles);
          }}},
        {"--play-mode",
         {"a play mode (times, hold or toggle)",
          [](const std::string& value, CommandLine& line) {
              return Keep(ParsePlayMode(value), line.edit.playMode);
          }}},
        {"--interval",
         {"milliseconds",
          [](const std::string& value, CommandLine& line) {
              return Keep(ParseNumberIn(value, 0, kMacroIntervalMax, "--interval"),
                          line.edit.interval);
          }}},
    };
    return options;
}

// The editing options belong to the editing commands.
std::string CheckEditOptions(const CommandLine& line) {
    const EditOptions& edit = line.edit;
    const bool forSetOnly = edit.layer || edit.cycles || edit.playMode || edit.interval;
    if (forSetOnly && line.command != "set") {
        return "--layer, --cycles, --play-mode and --interval are for 'set' only";
    }
    if ((edit.dryRun || edit.write) && line.command != "set" && line.command != "color") {
        return std::string(edit.dryRun ? "--dry-run" : "--write") +
               " is for 'set' and 'color' only";
    }
    if (edit.dryRun && edit.write) {
        return "--dry-run and --write exclude each other";
    }
    const bool writes = line.command == "write-keys" || line.command == "write-lights" ||
                        ((line.command == "set" || line.command == "color") && edit.write);
    if (line.verify && !writes) {
        return "--verify is for write-keys, write-lights, and set and color with --write";
    }
    return "";
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
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.rfind("--", 0) == 0 ? arg.substr(0, equals) : arg;
        const auto valueOption = ValueOptions().find(name);
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            words.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;  // everything after it is a word, even "- Down"
        } else if (arg == "--simulate") {
            line.simulate = true;
        } else if (arg == "--json") {
            line.json = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--dry-run") {
            line.edit.dryRun = true;
        } else if (arg == "--write") {
            line.edit.write = true;
        } else if (arg == "--verify") {
            line.verify = true;
        } else if (valueOption != ValueOptions().end()) {
            std::string value;
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                result.error = name + " needs " + valueOption->second.needs;
                return result;
            }
            result.error = valueOption->second.store(value, line);
            if (!result.error.empty()) {
                return result;
            }
        } else {
            result.error = "unknown option '" + arg + "'";
            return result;
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
    const CommandShape& shape = entry->second;
    if (line.arguments.size() < shape.fewest || line.arguments.size() > shape.most) {
        result.error = "'" + line.command + "' " + shape.wrongCount;
        return result;
    }
    result.error = CheckEditOptions(line);
    return result;
}

std::string UsageText() {
    return R"(Usage: z9rtctl [OPTIONS] COMMAND [ARGUMENTS]

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
  set FILE KEY ASSIGNMENT
                     change what KEY does on one layer of the profile FILE
  color FILE KEYS COLOUR
                     give KEYS (KEY,KEY,..., N-M or all) the colour #rrggbb in FILE
  names [KIND]       the names an assignment KIND accepts, or the keys and their captions
  diff A B           what differs between A and B, each a profile FILE or keyboard (the
                     attached keyboard's keys and colours): one line per key and layer, then
                     per colour; exit 0 when they are the same, 1 when they differ
  doctor             why no keyboard is usable and what to do, one finding a line with its
                     fix; exit 0 when a keyboard is usable

Assignments (KEY is a key number 1..82 or the key's caption):
  single NAME                 one key, e.g. single ESC
  combo NAME+NAME+...         up to 6 keys pressed together, e.g. combo LCTRL+C
  macro EVENTS | macro @FILE  events "NAME Down" and "NAME UP" alternating with delays
                              "<N ms>", separated by commas; @FILE reads them from FILE
                              (commas or line ends between them; - is standard input)
  emulation NAME,NAME,...     up to 6 keys played one after another, repeated
  media NAME                  a multimedia action, e.g. media Mute
  mouse NAME                  a mouse action, e.g. mouse "Mouse Key Left"
  function NAME               a keyboard function, e.g. function "Win/Mac Exchange"
  power NAME                  a power action: "Wake Up", Sleep or Power
  clear                       the key does nothing on that layer

Options:
  --simulate         use the built-in simulated keyboard (the same as Z9RT_HID=sim)
  --json             machine-readable output for list, info, counters, show, diff and doctor
  --model TYPE       the model for defaults, show, set, color and diff without a keyboard:
                     1 Z9RT(PRSM)Ble, 2 Z9RT(S)Ble, 3 Z9RT(S), 4 Z9RT(PRSM)
  --layer LAYER      set: the layer, none (the default), right or left (Fn)
  --cycles N         set macro: play the macro N times per press (1..255, default 1)
  --play-mode MODE   set macro: times (the default), hold (while the key is held) or
                     toggle (one press starts, the next stops)
  --interval MS      set macro: one fixed interval between all events (0..60000);
                     set emulation: the repeat interval (0..6000, default 30)
  --dry-run          set, color: print what would change and change nothing
  --write            set, color: also write the keys or colours to the keyboard
  --verify           write-keys, write-lights, set --write, color --write: read back what
                     was written and compare it; exit 1 naming each key and layer (or
                     colour) that differs, with what was sent and what came back
  -h, --help         this text
  --                 every word after it is an argument, even one starting with -

Names are matched in any letter case and stored as the key-name table spells them.

Exit status: 0 success; 1 the keyboard is missing, busy or a transfer failed, what
--verify read back differs, the two sides of diff differ, or doctor finds no usable keyboard;
2 wrong usage (a refused argument or value); 3 a file was refused (not a profile, another
model's profile, a damaged profile or one holding a key the keyboard cannot take as it is,
input beyond the limits, a bad firmware or macro file).
)";
}

}  // namespace z9rt::cli

// What the user asked for on the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace z9rt::cli {

// Options of the editing commands (set, color).
struct EditOptions {
    std::optional<int> layer;     // --layer: 0..2; the layer without Fn when not given
    bool dryRun = false;          // --dry-run: say what would change, change nothing
    bool write = false;           // --write: also write the result to the keyboard
    std::optional<int> cycles;    // --cycles: a macro's repeat count
    std::optional<int> playMode;  // --play-mode: a macro's play mode
    std::optional<int> interval;  // --interval: ms, a macro's fixed or an emulation's interval
};

struct CommandLine {
    bool simulate = false;         // --simulate: the same as Z9RT_HID=sim
    bool json = false;             // --json: machine-readable results
    bool help = false;             // --help / -h
    bool verify = false;           // --verify: read back what a write wrote and compare
    std::optional<int> modelType;  // --model TYPE: device type 1..4 without a keyboard
    EditOptions edit;
    std::string command;
    std::vector<std::string> arguments;
};

struct ParseResult {
    CommandLine commandLine;
    std::string error;  // non-empty: wrong usage, say this and exit 2
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

// Accepts 1..4 or a model name such as "Z9RT(S)" (any letter case); nullopt otherwise.
std::optional<int> ParseModelType(const std::string& text);

std::string UsageText();

}  // namespace z9rt::cli

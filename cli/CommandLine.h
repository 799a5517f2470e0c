// What the user asked for on the command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace z9rt::cli {

struct CommandLine {
    bool simulate = false;         // --simulate: the same as Z9RT_HID=sim
    bool json = false;             // --json: machine-readable results
    bool help = false;             // --help / -h
    std::optional<int> modelType;  // --model TYPE: device type 1..4 without a keyboard
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

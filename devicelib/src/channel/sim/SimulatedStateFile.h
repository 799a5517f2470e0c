// The simulated keyboard's memory as a hand-editable text file (Z9RT_SIM_STATE):
//
//   model M                one of 1..4
//   light K R G B          the colour of key K (1..82), each component 0..255
//   counter K N            the press counter of key K, 0..4294967295
//   record L K XX XX ...   one key record of layer number L (1..3) and key K: up to 64 bytes in
//                          hex; bytes left out at the end are 0. The record lines of one slot
//                          are its records in order (a long macro has several).
//   firmware-lines N       firmware lines taken so far
//   firmware-refused N     firmware lines refused for a bad checksum
//
// Blank lines and lines starting with "#" are ignored. What the file does not mention keeps
// its factory value, so an empty file is a factory-fresh keyboard.
#pragma once

#include "channel/sim/SimulatedMemory.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z9rt::sim {

std::string FormatState(const KeyboardMemory& memory);

struct ParsedState {
    KeyboardMemory memory;
    std::vector<std::string> errors;  // "line N: what is wrong"; such lines are skipped
};

// Reads a state text. The model is `forcedModel` when given, else the file's, else 1.
ParsedState ParseState(std::string_view text, std::optional<int> forcedModel);

// Whole-file helpers; false / nothing when the file cannot be written / read.
bool WriteTextFile(const std::string& path, const std::string& text);
std::optional<std::string> ReadTextFile(const std::string& path);

}  // namespace z9rt::sim

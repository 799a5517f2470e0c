// Reading the ASSIGNMENT of `z9rtctl set` ("combo LCTRL+C", "macro @steps.txt", "clear") into
// what the key settings window's "OK" would store for it, judged by the same rules.
#pragma once

#include "CommandLine.h"
#include "KeyNames.h"
#include "model/ItemList.h"
#include "model/KeyKinds.h"

#include <string>
#include <vector>

namespace z9rt::cli {

struct Assignment {
    int kind = model::KindNotSet;
    int hwCode = 0;          // single, multimedia, mouse, function and power
    model::CItemList list;   // combo, macro and emulation
    bool allLayers = false;  // an Fn key function goes on all three layers of the key
};

// Reads the assignment words (the kind, then its value). A refused value ends the command with
// exit status 2 (3 for a macro file that cannot be read or holds a refused item), saying what
// is wrong and what would be accepted.
Assignment ReadAssignment(const std::vector<std::string>& words, const EditOptions& options,
                          const KeyNameTable& names);

// The assignment words `set` takes, in the order the help lists them.
const std::vector<std::string>& AssignmentWords();

}  // namespace z9rt::cli

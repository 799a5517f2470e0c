// What a key does on a layer, as one line of text: the key names of a combination or an
// emulation, the events and delays of a macro, or the name of a single code.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

namespace model {

class CKeyboardConfig;

// The main window's display line cuts macro texts after the item that passes this length.
constexpr std::size_t kDisplayMacroTextLimit = 120;
constexpr std::size_t kNoMacroTextLimit = std::numeric_limits<std::size_t>::max();

// Combinations and emulations join their key names with " | "; macros join their items with
// "," after shortening them (a delay "<30 ms>" shows as 30, an event loses " Down" or " UP"),
// and once the text passes `macroLimit` characters it ends with " ... ...". Kinds with a
// single code give its name; an unset key, or a key or layer out of range, gives "".
std::wstring AssignmentText(const CKeyboardConfig& config, int key, int layer,
                            std::size_t macroLimit = kDisplayMacroTextLimit);

}  // namespace model

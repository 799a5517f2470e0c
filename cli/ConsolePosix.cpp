#include "Console.h"

// The terminal takes the bytes as they are, and arguments arrive in the locale's encoding,
// which is UTF-8 wherever the tool is meant to run.
std::vector<std::string> PrepareConsole(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

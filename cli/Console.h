// The tool's side of the terminal it runs in: its arguments as UTF-8, and output that says
// the same bytes on every platform. Each platform has its own file.
#pragma once

#include <string>
#include <vector>

// Prepares standard output and error and returns the command line's arguments (without the
// program's name) in UTF-8.
std::vector<std::string> PrepareConsole(int argc, char** argv);

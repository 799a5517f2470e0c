// Runs the built z9rtctl as a separate process, the way a script would, and collects what it
// says and how it ends.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace z9rt::cli::test {

struct ToolRun {
    int status = -1;  // exit status; -1 when the tool did not exit normally or hung
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs z9rtctl with `arguments` in `directory`, with the test's environment plus `environment`
// (an empty value removes a variable).
ToolRun RunTool(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment,
                const std::string& directory);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace z9rt::cli::test

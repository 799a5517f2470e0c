// Runs the built z9rtctl as a separate process, the way a script would, and collects what it
// says and how it ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace z9rt::cli::test {

struct ToolRun {
    int status = -1;  // exit status; -1 when the tool did not exit normally or hung
    std::string out;  // standard output
    std::string err;  // standard error
};

// A z9rtctl started and not yet waited for.
class RunningTool {
public:
    RunningTool(std::intptr_t process, std::string outPath, std::string errPath)
        : process_(process), outPath_(std::move(outPath)), errPath_(std::move(errPath)) {}
    // Waits for it to end (killing it after a minute: a hung tool fails the test) and collects
    // what it said.
    ToolRun Finish();
    // Ends it at once, as a power cut or `kill -9` would.
    void Kill();

private:
    // Reads what the tool wrote to its standard output and error into `run` and removes it.
    void TakeOutput(ToolRun& run) const;

    std::intptr_t process_;  // the platform's process id or handle; -1 when none started
    std::string outPath_;
    std::string errPath_;
};

// Starts z9rtctl with `arguments` in `directory`, with the test's environment plus
// `environment` (an empty value removes a variable), its standard input read from `input`
// (a file; empty: /dev/null), and when `addressSpaceLimit` is not 0 with at most that many
// bytes of address space (through prlimit), as on a machine short of memory.
RunningTool StartTool(const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::string& directory, const std::string& input = "",
                      std::size_t addressSpaceLimit = 0);
// Starts it and waits for it.
ToolRun RunTool(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment, const std::string& directory,
                const std::string& input = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace z9rt::cli::test

#include "ToolRunner.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace z9rt::cli::test {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

void RunningTool::TakeOutput(ToolRun& run) const {
    run.out = ReadFile(outPath_);
    run.err = ReadFile(errPath_);
    std::remove(outPath_.c_str());
    std::remove(errPath_.c_str());
}

ToolRun RunTool(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& environment, const std::string& directory,
                const std::string& input) {
    return StartTool(arguments, environment, directory, input).Finish();
}

}  // namespace z9rt::cli::test

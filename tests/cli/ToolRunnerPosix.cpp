// Starting the tool on a POSIX system: posix_spawn, with the standard streams redirected to
// files, waited for with waitpid.
#include "ToolRunner.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace z9rt::cli::test {
namespace {

// A tool that hangs (on a FIFO, say) is killed after this long, so the test fails instead.
constexpr std::chrono::seconds kLongestRun{60};
constexpr std::chrono::milliseconds kWaitStep{5};
constexpr const char* kPrlimitPath = "/usr/bin/prlimit";

}  // namespace

RunningTool StartTool(const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::string& directory, const std::string& input,
                      std::size_t addressSpaceLimit) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            merged[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : environment) {
        if (value.empty()) {
            merged.erase(name);
        } else {
            merged[name] = value;
        }
    }
    std::vector<std::string> environmentText;
    for (const auto& [name, value] : merged)
        environmentText.push_back(std::string(name).append("=").append(value));
    std::vector<char*> envp;
    for (std::string& text : environmentText)
        envp.push_back(text.data());
    envp.push_back(nullptr);

    std::vector<std::string> argumentText;
    if (addressSpaceLimit != 0) {
        argumentText = {kPrlimitPath, "--as=" + std::to_string(addressSpaceLimit), "--"};
    }
    argumentText.emplace_back(Z9RTCTL_PATH);
    argumentText.insert(argumentText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argumentText)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // Tools may run side by side: each writes its own output files, removed once read.
    static int runs = 0;
    const std::string suffix = std::to_string(getpid()) + "-" + std::to_string(++runs);
    std::string outPath = directory + "/.tool-stdout-" + suffix;
    std::string errPath = directory + "/.tool-stderr-" + suffix;
    const std::string inPath = input.empty() ? "/dev/null" : input;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t child = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        child = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return RunningTool(child, std::move(outPath), std::move(errPath));
}

ToolRun RunningTool::Finish() {
    ToolRun run;
    if (process_ > 0) {
        const auto pid = static_cast<pid_t>(process_);
        int waitStatus = 0;
        const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
        pid_t ended = 0;
        while ((ended = waitpid(pid, &waitStatus, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(kWaitStep);
        }
        if (ended == 0) {
            // Hung: it is killed and the run counts as not having ended normally.
            kill(pid, SIGKILL);
            waitpid(pid, &waitStatus, 0);
        } else if (ended == pid && WIFEXITED(waitStatus)) {
            run.status = WEXITSTATUS(waitStatus);
        }
        process_ = -1;
    }
    TakeOutput(run);
    return run;
}

void RunningTool::Kill() {
    if (process_ > 0) {
        kill(static_cast<pid_t>(process_), SIGKILL);
    }
}

}  // namespace z9rt::cli::test

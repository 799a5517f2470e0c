#include "ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace bench {
namespace {

constexpr std::chrono::seconds kGraceBeforeKill{3};

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// The benchmark's environment with `overrides` laid over it.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
    std::map<std::string, std::string> byName;
    const auto add = [&byName](const std::string& entry) {
        byName[entry.substr(0, entry.find('='))] = entry;
    };
    for (char** entry = environ; *entry != nullptr; ++entry) {
        add(*entry);
    }
    for (const std::string& entry : overrides) {
        add(entry);
    }
    std::vector<std::string> merged;
    for (const auto& [name, entry] : byName) {
        merged.push_back(entry);
    }
    return merged;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& environment) {
    std::vector<std::string> arguments{path};
    std::vector<std::string> variables = MergedEnvironment(environment);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(variables);
    start_ = std::chrono::steady_clock::now();
    if (posix_spawn(&pid_, path.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
    }
}

ChildProcess::~ChildProcess() {
    if (!started() || !running()) {
        return;
    }
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kGraceBeforeKill;
    while (running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ChildProcess::running() {
    if (!started() || reaped_) {
        return false;
    }
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        reaped_ = true;
    }
    return !reaped_;
}

double ChildProcess::residentMiB() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtod(line.c_str() + std::strlen("VmRSS:"), nullptr) / 1024.0;
        }
    }
    return 0.0;
}

double ChildProcess::cpuSeconds() const {
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid_, &clock) != 0 || clock_gettime(clock, &used) != 0) {
        return 0.0;
    }
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

}  // namespace bench

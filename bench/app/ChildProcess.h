// A program the start-up benchmark runs and looks into: started with an environment of its
// own, its resident memory and the CPU time of all its threads read from outside, ended when
// the benchmark is done with it.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

class ChildProcess {
public:
    // Starts `path` with the benchmark's environment plus (and overriding) `environment`
    // ("NAME=value" each). Check started() before anything else.
    ChildProcess(const std::string& path, const std::vector<std::string>& environment);
    // Ends the program (SIGTERM, then SIGKILL when it lingers) and waits for it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool running();
    // When the program was started (just before it was spawned).
    std::chrono::steady_clock::time_point startTime() const { return start_; }
    // Resident memory in MiB (VmRSS); 0 once the program has ended.
    double residentMiB() const;
    // CPU seconds the program has used so far, all threads counted.
    double cpuSeconds() const;

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace bench

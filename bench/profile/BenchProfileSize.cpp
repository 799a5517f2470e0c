// Profile size against memory and time, with the built z9rtctl as a separate process:
//
//  - the peak memory (maximum resident set) of `z9rtctl show` on profiles of about 1, 10 and
//    50 MB, less that of `show` on a fresh profile, over the file's size; goal: at most 3;
//  - how long the tool takes to refuse input beyond its limits (a macro file of 100001 items,
//    600 MB on standard input, a profile of elements nested without end, a file larger than
//    any profile, a profile of more list items than any profile holds); goal: within 1 s.
//
// The machine may be shared: peak memory does not depend on its load, and the times are wall
// times of whole runs, start-up included, so a loaded machine only makes them look worse.
#include "LargeProfiles.h"
#include "profile/ProfileFile.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using profile::SaveProfile;

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr double kMemoryGoal = 3.0;
constexpr double kRefusalGoalSeconds = 1.0;

struct ToolRun {
    int status = -1;
    double seconds = 0;
    double peakMegabytes = 0;
};

// This program run again as `--measure OUT ARGUMENTS...`: runs z9rtctl with ARGUMENTS (its
// standard input this process's, its output nowhere) and writes its exit status, wall time and
// peak memory to OUT. A process started from a large one begins with that one's peak, so the
// tool is started from this small process instead of from the benchmark itself.
int Measure(int argc, char** argv) {
    std::vector<char*> toolArguments = {const_cast<char*>(Z9RTCTL_PATH)};
    toolArguments.insert(toolArguments.end(), argv + 3, argv + argc);
    toolArguments.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int nowhere = ::open("/dev/null", O_WRONLY);
        ::dup2(nowhere, STDOUT_FILENO);
        ::dup2(nowhere, STDERR_FILENO);
        ::execv(toolArguments[0], toolArguments.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    const bool ended = child > 0 && ::wait4(child, &status, 0, &usage) == child;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::ofstream(argv[2]) << (ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1) << ' '
                           << seconds << ' ' << usage.ru_maxrss << '\n';
    return 0;
}

// Runs z9rtctl with `arguments` through --measure; its standard input is `feed`'s end of a
// pipe when given (else /dev/null).
ToolRun RunTool(const std::vector<std::string>& arguments,
                const std::function<void(int)>& feed = nullptr) {
    const fs::path out =
        fs::temp_directory_path() / ("z9rt-bench-measure-" + std::to_string(::getpid()) + ".txt");
    std::vector<std::string> words = {fs::read_symlink("/proc/self/exe").string(), "--measure",
                                      out.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (feed && ::pipe(pipeEnds) == 0) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    pid_t child = -1;
    const bool started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    std::thread feeder;
    if (pipeEnds[0] >= 0) {
        ::close(pipeEnds[0]);
        feeder = std::thread([&feed, end = pipeEnds[1]] {
            feed(end);
            ::close(end);
        });
    }
    int status = 0;
    if (started) {
        ::waitpid(child, &status, 0);
    }
    if (feeder.joinable()) {
        feeder.join();
    }
    ToolRun run;
    long peakKilobytes = 0;
    std::ifstream(out) >> run.status >> run.seconds >> peakKilobytes;
    run.peakMegabytes = static_cast<double>(peakKilobytes) / 1024.0;
    fs::remove(out);
    return run;
}

// Writes `bytes` endlessly until `total` bytes are written or the reader is gone.
void Feed(int fd, const std::string& bytes, std::size_t total) {
    for (std::size_t written = 0; written < total;) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count <= 0) {
            return;  // the tool stopped reading
        }
        written += static_cast<std::size_t>(count);
    }
}

double Megabytes(const fs::path& path) {
    return static_cast<double>(fs::file_size(path)) / 1e6;
}

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A profile of about `megabytes` MB: library macros of about 110 kB each.
fs::path ProfileOfAbout(const fs::path& folder, int megabytes) {
    const fs::path path = folder / ("profile-" + std::to_string(megabytes) + "mb.pro");
    constexpr int kKilobytesPerMacro = 110;
    const int macros = std::max(1, megabytes * 1000 / kKilobytesPerMacro);
    if (!SaveProfile(*LargeConfig(0, macros), path).Ok()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

std::string RootText(const std::string& inside) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Z9RT(PRSM)Ble>\r\n" + inside +
           "\r\n</Z9RT(PRSM)Ble>\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--measure") {
        return Measure(argc, argv);
    }
    std::signal(SIGPIPE, SIG_IGN);  // a refused standard input closes the pipe
    const fs::path folder =
        fs::temp_directory_path() / ("z9rt-bench-size-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    bool allMet = true;

    const fs::path fresh = folder / "fresh.pro";
    if (!SaveProfile(*LargeConfig(0, 0), fresh).Ok()) {
        return 1;
    }
    const double baseline = RunTool({"show", fresh.string()}).peakMegabytes;
    std::printf(
        "Peak memory of `z9rtctl show` (maximum resident set) against the profile's size.\n"
        "Goal: the peak beyond that of showing a fresh profile (%.1f MB) at most %.0f "
        "times the file.\n\n%-10s %9s %9s %12s %7s  %s\n",
        baseline, kMemoryGoal, "profile", "MB", "peak MB", "beyond base", "ratio", "goal");
    for (int megabytes : {1, 10, 50}) {
        const fs::path path = ProfileOfAbout(folder, megabytes);
        const ToolRun run = RunTool({"show", path.string()});
        const double beyond = run.peakMegabytes - baseline;
        const double ratio = beyond / Megabytes(path);
        const bool met = run.status == 0 && ratio <= kMemoryGoal;
        allMet = allMet && met;
        std::printf("%-10s %9.1f %9.1f %12.1f %7.2f  %s\n",
                    (std::to_string(megabytes) + " MB").c_str(), Megabytes(path), run.peakMegabytes,
                    beyond, ratio, run.status != 0 ? "refused!" : (met ? "met" : "missed"));
        fs::remove(path);
    }

    // Input beyond the limits, each refused with exit status 3.
    const fs::path profile = folder / "p.pro";
    fs::copy_file(fresh, profile);
    std::string items;
    for (int i = 0; i < 100001; ++i) {
        items += i % 2 == 0 ? "A Down\n" : "<1 ms>\n";
    }
    Write(folder / "long-macro.txt", items);
    std::string nested;
    while (nested.size() < (63U << 20)) {
        nested += "<a>";
    }
    Write(folder / "nested.pro", RootText(nested));
    nested.clear();
    Write(folder / "huge.pro", "");
    fs::resize_file(folder / "huge.pro", 70U << 20);
    std::string manyItems = "<PredefinedMacro><List>";
    for (int entry = 0; entry < 20; ++entry) {
        manyItems += "<x ID=\"" + std::to_string(entry) + "\"><List>";
        for (int item = 0; item < 60000; ++item) {
            manyItems += "<x ID=\"" + std::to_string(item) + "\"/>";
        }
        manyItems += "</List></x>";
    }
    Write(folder / "many-items.pro", RootText(manyItems + "</List></PredefinedMacro>"));
    manyItems.clear();

    struct Refusal {
        const char* what;
        std::vector<std::string> arguments;
        std::function<void(int)> feed;
    };
    const std::string lines = "A Down,<1 ms>,A UP,<1 ms>\n";
    const Refusal refusals[] = {
        {"macro file of 100001 items",
         {"set", profile.string(), "1", "macro", "@" + (folder / "long-macro.txt").string()},
         nullptr},
        {"600 MB macro on standard input",
         {"set", profile.string(), "1", "macro", "@-"},
         [&lines](int fd) { Feed(fd, lines, 600U << 20); }},
        {"63 MB of nested elements", {"show", (folder / "nested.pro").string()}, nullptr},
        {"70 MB profile file", {"show", (folder / "huge.pro").string()}, nullptr},
        {"1.2 million list items", {"show", (folder / "many-items.pro").string()}, nullptr},
    };
    std::printf(
        "\nInput beyond the limits: refused (exit status 3) within %.0f s, start-up "
        "included.\n\n%-32s %5s %9s %9s  %s\n",
        kRefusalGoalSeconds, "input", "exit", "seconds", "peak MB", "goal");
    for (const Refusal& refusal : refusals) {
        const ToolRun run = RunTool(refusal.arguments, refusal.feed);
        const bool met = run.status == 3 && run.seconds <= kRefusalGoalSeconds;
        allMet = allMet && met;
        std::printf("%-32s %5d %9.2f %9.1f  %s\n", refusal.what, run.status, run.seconds,
                    run.peakMegabytes, met ? "met" : "missed");
    }
    std::printf("\n%s\n", allMet ? "Every goal is met." : "At least one goal is missed.");
    fs::remove_all(folder);
    return 0;
}

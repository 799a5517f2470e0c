// Start-up and memory of the windowed program against a bare Qt widgets window (960 x 640, one
// label), both started in turn on a private virtual screen of 1920 x 1080 with the simulated
// keyboard, the one that starts first alternating from pair to pair. For each pair:
//   - from exec to the first painted window (the X server's first damage report on it), and
//     the CPU time the program used until then;
//   - resident memory once the window has settled;
//   - for the program, resident memory again after every window has been opened and closed
//     (against the bare window's), and how long the progress dialog and a message box take
//     from the click to their first paint.
// It prints the medians and the median of each pair's ratio, with the goal beside it.
// With --baseline, another build of the program takes the bare window's place, toured like the
// program: a before-and-after comparison of one change, without goals.
//   bench_startup [--pairs=N] [--program=PATH] [--baseline=PATH] [--no-tour]
#include "ChildProcess.h"
#include "MainWindowLayout.h"
#include "VirtualScreen.h"
#include "WindowTour.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::Clock;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kDefaultPairs = 8;
constexpr skin::FaceSize kBareWindowSize{960, 640};
constexpr std::chrono::seconds kFirstPaintLimit{60};
// Time for a window to finish what it does after its first paint before its memory is read.
constexpr std::chrono::milliseconds kSettle{1000};

constexpr double kStartupGoal = 2.0;
constexpr double kMainWindowMemoryGoal = 2.0;
constexpr double kEveryWindowMemoryGoal = 2.2;

struct Options {
    int pairs = kDefaultPairs;
    std::string program;
    std::string reference;
    bool referenceIsProgram = false;  // --baseline
    bool tour = true;
};

// One start of one program.
struct Run {
    double startupMs = 0;
    double cpuMs = 0;
    double residentMiB = 0;
    // The program only.
    double residentAfterTourMiB = 0;
    bench::TourTimes tour;
};

std::string ProgramDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    options.program = ProgramDirectory() + "/Z9RT(PRSM)Ble";
    options.reference = ProgramDirectory() + "/bare_qt_window";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--pairs=", 0) == 0) {
            options.pairs = std::max(1, std::atoi(argument.c_str() + 8));
        } else if (argument.rfind("--program=", 0) == 0) {
            options.program = argument.substr(10);
        } else if (argument.rfind("--baseline=", 0) == 0) {
            options.reference = argument.substr(11);
            options.referenceIsProgram = true;
        } else if (argument == "--no-tour") {
            options.tour = false;
        } else if (argument.rfind("--benchmark_", 0) != 0) {
            // (scripts/bench.sh hands every benchmark the Google Benchmark flags it was given.)
            std::fprintf(stderr,
                         "usage: %s [--pairs=N] [--program=PATH] [--baseline=PATH] [--no-tour]\n",
                         argv[0]);
            return std::nullopt;
        }
    }
    return options;
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    std::string fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

class StartupBench {
public:
    StartupBench(bench::VirtualScreen& screen, Options options, std::string scratch)
        : screen_(screen), options_(std::move(options)), scratch_(std::move(scratch)) {}

    // Starts the program or the reference, waits for its first painted window, reads its
    // memory, and for a program tours every window. Null when the window did not show.
    std::optional<Run> start(bool reference) {
        const bool program = !reference || options_.referenceIsProgram;
        const std::filesystem::path state = scratch_ + "/keyboard.txt";
        std::filesystem::remove(state);
        const std::vector<std::string> environment{
            "DISPLAY=" + screen_.display(), "QT_QPA_PLATFORM=xcb", "XDG_RUNTIME_DIR=" + scratch_,
            // A factory-fresh simulated Z9RT(PRSM)Ble; keys are never read from the machine's
            // keyboards.
            "Z9RT_HID=sim", "Z9RT_SIM_MODEL=1", "Z9RT_SIM_STATE=" + state.string(),
            "Z9RT_HOOK_INPUT=none"};
        const skin::FaceSize size = program ? mainwin::kFaceSize : kBareWindowSize;
        const std::uint64_t before = screen_.windowsCreated();
        bench::ChildProcess child(reference ? options_.reference : options_.program, environment);
        if (!child.started()) {
            return std::nullopt;
        }
        const bench::ShownWindow* window =
            screen_.waitForPainted(before, size.width, size.height, kFirstPaintLimit);
        if (window == nullptr) {
            return std::nullopt;
        }
        Run run;
        run.cpuMs = child.cpuSeconds() * 1e3;
        run.startupMs =
            std::chrono::duration<double, std::milli>(window->firstPaint - child.startTime())
                .count();
        settle();
        run.residentMiB = child.residentMiB();
        if (program && options_.tour) {
            run.tour = bench::TourEveryWindow(screen_, *window);
            settle();
            run.residentAfterTourMiB = child.residentMiB();
        }
        return run;
    }

private:
    void settle() {
        screen_.waitUntil([] { return false; }, kSettle);
    }

    bench::VirtualScreen& screen_;
    Options options_;
    std::string scratch_;
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One line of the table: the medians of both sides, the median of the pairs' ratios with
// their range, and the goal. False when a goal is missed.
bool PrintRatio(const char* what, const std::vector<double>& bare,
                const std::vector<double>& program, double goal) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < bare.size() && i < program.size(); ++i) {
        ratios.push_back(bare[i] > 0 ? program[i] / bare[i] : 0.0);
    }
    if (ratios.empty()) {
        return true;
    }
    const double ratio = Median(ratios);
    const auto [lowest, highest] = std::minmax_element(ratios.begin(), ratios.end());
    const bool met = goal <= 0 || ratio <= goal;
    char goalText[32] = "";
    if (goal > 0) {
        std::snprintf(goalText, sizeof goalText, "<= %.1fx  %s", goal, met ? "met" : "MISSED");
    }
    std::printf("%-44s %9.1f %9.1f %7.2fx %5.2f..%-5.2f %s\n", what, Median(bare), Median(program),
                ratio, *lowest, *highest, goalText);
    return met;
}

void PrintProgramOnly(const char* what, const std::vector<double>& program) {
    if (program.empty()) {
        return;
    }
    const auto [lowest, highest] = std::minmax_element(program.begin(), program.end());
    std::printf("%-44s %9s %9.1f %8s %5.1f..%-5.1f\n", what, "", Median(program), "", *lowest,
                *highest);
}

// The times a window took to open, every opening of every run.
std::vector<double> OpenTimes(const std::vector<Run>& runs, const std::string& window) {
    std::vector<double> times;
    for (const Run& run : runs) {
        for (const auto& [name, ms] : run.tour.openMs) {
            if (name == window) {
                times.push_back(ms);
            }
        }
    }
    return times;
}

// How long each window took from the click to its first paint; against a baseline, as ratios.
void PrintOpenTimes(const std::vector<Run>& reference, const std::vector<Run>& program,
                    bool againstBare) {
    if (program.empty()) {
        return;
    }
    std::vector<std::string> windows;
    for (const auto& [window, ms] : program.front().tour.openMs) {
        if (std::find(windows.begin(), windows.end(), window) == windows.end()) {
            windows.push_back(window);
        }
    }
    for (const std::string& window : windows) {
        const std::string what = window + ", click to painted (ms)";
        const std::vector<double> times = OpenTimes(program, window);
        if (againstBare) {
            PrintProgramOnly(what.c_str(), times);
        } else {
            PrintRatio(what.c_str(), OpenTimes(reference, window), times, 0.0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        return 2;
    }
    std::string error;
    const std::unique_ptr<bench::VirtualScreen> screen =
        bench::VirtualScreen::Start(kScreenWidth, kScreenHeight, &error);
    if (!screen) {
        std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
        return 1;
    }
    // The pointer and keys of the tour go to that screen too.
    setenv("DISPLAY", screen->display().c_str(), 1);
    char scratchTemplate[] = "/tmp/z9rt-bench-startup-XXXXXX";
    if (mkdtemp(scratchTemplate) == nullptr) {
        std::fprintf(stderr, "bench_startup: no scratch folder\n");
        return 1;
    }
    const std::string scratch = scratchTemplate;
    const std::string loadBefore = LoadAverage();
    StartupBench bench(*screen, *options, scratch);

    std::vector<Run> reference;
    std::vector<Run> program;
    std::vector<std::string> tourFailures;
    for (int pair = 0; pair < options->pairs; ++pair) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool referenceNow = (turn == 0) != (pair % 2 == 0);
            const std::optional<Run> run = bench.start(referenceNow);
            if (!run) {
                std::fprintf(stderr, "bench_startup: %s showed no window\n",
                             referenceNow ? options->reference.c_str() : options->program.c_str());
                std::filesystem::remove_all(scratch);
                return 1;
            }
            (referenceNow ? reference : program).push_back(*run);
            if (options->tour && (!referenceNow || options->referenceIsProgram) &&
                !run->tour.completed) {
                tourFailures.push_back(run->tour.failure);
            }
        }
        std::fprintf(stderr, "pair %d of %d\n", pair + 1, options->pairs);
    }
    std::filesystem::remove_all(scratch);

    const auto column = [](const std::vector<Run>& runs, double Run::*field) {
        std::vector<double> values;
        for (const Run& run : runs) {
            values.push_back(run.*field);
        }
        return values;
    };
    const bool againstBare = !options->referenceIsProgram;
    const std::string against =
        againstBare ? "a bare Qt window (960 x 640, one label)" : options->reference;
    std::printf(
        "\nThe program against %s, %d interleaved pairs on a virtual screen of %d x %d,\n"
        "simulated keyboard; medians, and the median of the pairs' ratios with their range.\n"
        "Load average before: %s, after: %s.\n\n",
        against.c_str(), options->pairs, kScreenWidth, kScreenHeight, loadBefore.c_str(),
        LoadAverage().c_str());
    std::printf("%-44s %9s %9s %8s %12s %s\n", "", againstBare ? "bare" : "baseline", "program",
                "ratio", "pair ratios", againstBare ? "goal" : "");
    // Goals hold against the bare window; a baseline is only compared with.
    const auto goal = [againstBare](double ratio) { return againstBare ? ratio : 0.0; };
    bool allMet = true;
    allMet &= PrintRatio("exec to first painted window (ms)", column(reference, &Run::startupMs),
                         column(program, &Run::startupMs), goal(kStartupGoal));
    PrintRatio("CPU time until then (ms)", column(reference, &Run::cpuMs),
               column(program, &Run::cpuMs), 0.0);
    allMet &= PrintRatio("resident memory, first window alone (MiB)",
                         column(reference, &Run::residentMiB), column(program, &Run::residentMiB),
                         goal(kMainWindowMemoryGoal));
    if (options->tour) {
        // The bare window has no other windows: its memory stays what it was.
        allMet &= PrintRatio(
            "resident memory after every window (MiB)",
            column(reference, againstBare ? &Run::residentMiB : &Run::residentAfterTourMiB),
            column(program, &Run::residentAfterTourMiB), goal(kEveryWindowMemoryGoal));
        PrintOpenTimes(reference, program, againstBare);
    }
    for (const std::string& failure : tourFailures) {
        std::printf("Tour of the windows incomplete: %s.\n", failure.c_str());
    }
    if (againstBare) {
        std::printf("\n%s\n",
                    allMet ? "Every ratio meets its goal." : "At least one ratio misses its goal.");
    }
    return tourFailures.empty() ? 0 : 1;
}

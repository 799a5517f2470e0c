// Saving and loading large profiles (246 keys with 799-item macros, big libraries), and, on
// the same text, pugixml parsing and writing it.
//
// Google Benchmark times each side on its own. The comparison at the end runs ours and
// pugixml's counterpart on the same text by turns, round after round, and sets their CPU
// times against each other, so that both see the same machine load and neither the load nor
// the other's caches favour one side: it prints the ratios and the goal they are held to (our
// load and save each at most 1.5 times pugixml's). `--rounds=N` sets the rounds (default 10);
// `--benchmark_filter=^$` leaves out the single-side runs.
#include "LargeProfiles.h"
#include "profile/ProfileFile.h"
#include "profile/StrictMarkup.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Key slots that hold a 799-item macro; the rest keep their defaults.
constexpr int kMediumProfileKeys = 36;  // a little over 5 MB
constexpr int kLargeProfileKeys = 246;  // every slot

std::filesystem::path Scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("z9rt-bench-" + std::to_string(::getpid()) + "-" + name);
}

struct Fixture {
    std::unique_ptr<CKeyboardConfig> config;
    std::filesystem::path ours;
    std::filesystem::path pugi;
    std::string text;      // the profile's bytes
    std::string pugiText;  // the same with a root name pugixml accepts
};

// pugixml refuses the parentheses of the model names; give it the same text with a root name
// of the same length that it takes.
std::string ForPugixml(std::string text) {
    const std::string from = "Z9RT(PRSM)Ble";
    const std::string to = "Z9RT_PRSM_Ble";
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
    }
    return text;
}

Fixture& FixtureFor(int macroKeys) {
    static std::map<int, Fixture> fixtures;
    Fixture& fixture = fixtures[macroKeys];
    if (!fixture.config) {
        fixture.config = LargeConfig(macroKeys);
        fixture.ours = Scratch("ours-" + std::to_string(macroKeys) + ".pro");
        fixture.pugi = Scratch("pugi-" + std::to_string(macroKeys) + ".pro");
        if (!SaveProfile(*fixture.config, fixture.ours).Ok()) {
            std::fprintf(stderr, "cannot write %s\n", fixture.ours.c_str());
            std::abort();
        }
        std::ifstream in(fixture.ours, std::ios::binary);
        fixture.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        fixture.pugiText = ForPugixml(fixture.text);
        std::ofstream(fixture.pugi, std::ios::binary) << fixture.pugiText;
        pugi::xml_document check;
        if (!check.load_buffer(fixture.pugiText.data(), fixture.pugiText.size())) {
            std::fprintf(stderr, "pugixml cannot parse the profile\n");
            std::abort();
        }
    }
    return fixture;
}

void SetBytes(benchmark::State& state, const Fixture& fixture) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fixture.text.size()));
    state.counters["MB"] = static_cast<double>(fixture.text.size()) / 1e6;
}

void OurSave(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ProfileResult result = SaveProfile(*fixture.config, fixture.ours);
        benchmark::DoNotOptimize(result.status);
    }
    SetBytes(state, fixture);
}

void OurSaveToMemory(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::string bytes = ProfileText(*fixture.config, fixture.config->deviceType);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetBytes(state, fixture);
}

// The stages of loading from memory on their own: checking the characters, reading the markup
// without building anything, and reading the profile into a configuration.
void OurCheckCharacters(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string what;
        benchmark::DoNotOptimize(FirstForbiddenCharacter(fixture.text, what));
    }
    SetBytes(state, fixture);
}

void OurReadMarkup(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    class Nothing final : public MarkupHandler {
    public:
        bool StartElement(const MarkupElement&) override { return true; }
        bool EndElement() override { return true; }
    } nothing;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadStrictMarkup(fixture.text, nothing).kind);
    }
    SetBytes(state, fixture);
}

void OurLoad(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.deviceType = fixture.config->deviceType;
    for (auto _ : state) {
        const ProfileResult result = LoadProfile(config, fixture.ours);
        benchmark::DoNotOptimize(result.status);
    }
    SetBytes(state, fixture);
}

void OurLoadFromMemory(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.deviceType = fixture.config->deviceType;
    for (auto _ : state) {
        const ProfileResult result = ReadProfileBytes(fixture.text, config);
        benchmark::DoNotOptimize(result.status);
    }
    SetBytes(state, fixture);
}

void PugiParseFile(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result = doc.load_file(fixture.pugi.c_str());
        benchmark::DoNotOptimize(result.status);
    }
    SetBytes(state, fixture);
}

void PugiParseMemory(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        const pugi::xml_parse_result result =
            doc.load_buffer(fixture.pugiText.data(), fixture.pugiText.size());
        benchmark::DoNotOptimize(result.status);
    }
    SetBytes(state, fixture);
}

void PugiWriteFile(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    pugi::xml_document doc;
    doc.load_buffer(fixture.pugiText.data(), fixture.pugiText.size());
    const std::filesystem::path written = Scratch("pugi-written.pro");
    for (auto _ : state) {
        const bool saved = doc.save_file(written.c_str(), "", pugi::format_raw);
        benchmark::DoNotOptimize(saved);
    }
    SetBytes(state, fixture);
}

void PugiWriteMemory(benchmark::State& state) {
    Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
    pugi::xml_document doc;
    doc.load_buffer(fixture.pugiText.data(), fixture.pugiText.size());
    for (auto _ : state) {
        std::ostringstream out;
        doc.save(out, "", pugi::format_raw);
        benchmark::DoNotOptimize(out.tellp());
    }
    SetBytes(state, fixture);
}

void Register(const char* name, void (*function)(benchmark::State&), int macroKeys) {
    benchmark::RegisterBenchmark(name, function)->Arg(macroKeys)->Unit(benchmark::kMillisecond);
}

// The ratio each of our sides is held to against pugixml's counterpart.
constexpr double kGoalRatio = 1.5;
constexpr int kDefaultRounds = 10;

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// One side of a comparison: the work of one round.
using Work = std::function<void()>;

struct Comparison {
    std::string what;
    Work ours;
    Work theirs;
};

struct Outcome {
    double ours = 0;    // CPU seconds over all rounds
    double theirs = 0;  // CPU seconds over all rounds
    double lowest = 0;  // the lowest and highest ratio of a single round
    double highest = 0;
};

// Runs both sides by turns, `rounds` times each, the one that starts alternating from round to
// round, after one untimed round of each to warm the caches and the allocator.
Outcome Interleave(const Comparison& comparison, int rounds) {
    comparison.ours();
    comparison.theirs();
    Outcome outcome;
    for (int round = 0; round < rounds; ++round) {
        double ours = 0;
        double theirs = 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (round % 2 == 0);
            const double start = ThreadCpuSeconds();
            (oursNow ? comparison.ours : comparison.theirs)();
            (oursNow ? ours : theirs) = ThreadCpuSeconds() - start;
        }
        outcome.ours += ours;
        outcome.theirs += theirs;
        const double ratio = theirs > 0 ? ours / theirs : 0;
        outcome.lowest = round == 0 ? ratio : std::min(outcome.lowest, ratio);
        outcome.highest = round == 0 ? ratio : std::max(outcome.highest, ratio);
    }
    return outcome;
}

std::vector<Comparison> Comparisons(int macroKeys) {
    Fixture& fixture = FixtureFor(macroKeys);
    auto reader = std::make_shared<CKeyboardConfig>();
    reader->BuildCodeTables();
    reader->deviceType = fixture.config->deviceType;
    auto parsed = std::make_shared<pugi::xml_document>();
    parsed->load_buffer(fixture.pugiText.data(), fixture.pugiText.size());
    const std::filesystem::path written = Scratch("pugi-written.pro");
    return {
        {"load from a file / pugixml parse",
         [&fixture, reader] {
             benchmark::DoNotOptimize(LoadProfile(*reader, fixture.ours).status);
         },
         [&fixture] {
             pugi::xml_document doc;
             benchmark::DoNotOptimize(doc.load_file(fixture.pugi.c_str()).status);
         }},
        {"load from memory / pugixml parse",
         [&fixture, reader] {
             benchmark::DoNotOptimize(ReadProfileBytes(fixture.text, *reader).status);
         },
         [&fixture] {
             pugi::xml_document doc;
             benchmark::DoNotOptimize(
                 doc.load_buffer(fixture.pugiText.data(), fixture.pugiText.size()).status);
         }},
        {"save to a file / pugixml write",
         [&fixture] {
             benchmark::DoNotOptimize(SaveProfile(*fixture.config, fixture.ours).status);
         },
         [parsed, written] {
             benchmark::DoNotOptimize(parsed->save_file(written.c_str(), "", pugi::format_raw));
         }},
        {"save to memory / pugixml write",
         [&fixture] {
             benchmark::DoNotOptimize(
                 ProfileText(*fixture.config, fixture.config->deviceType).size());
         },
         [parsed] {
             std::ostringstream out;
             parsed->save(out, "", pugi::format_raw);
             benchmark::DoNotOptimize(out.tellp());
         }},
    };
}

void PrintComparisons(int rounds) {
    std::printf(
        "\nOurs against pugixml on the same text, by turns for %d rounds, CPU time.\n"
        "Goal: our load and our save each at most %.1f times pugixml's.\n\n"
        "%-34s %5s %7s %9s %10s %6s %13s  %s\n",
        rounds, kGoalRatio, "comparison", "keys", "MB", "ours ms", "pugixml ms", "ratio",
        "round ratios", "goal");
    bool allMet = true;
    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        const double megabytes = static_cast<double>(FixtureFor(keys).text.size()) / 1e6;
        for (const Comparison& comparison : Comparisons(keys)) {
            const Outcome outcome = Interleave(comparison, rounds);
            const double ratio = outcome.ours / outcome.theirs;
            const bool met = ratio <= kGoalRatio;
            allMet = allMet && met;
            std::printf("%-34s %5d %7.1f %9.1f %10.1f %6.2f %6.2f..%-5.2f  %s\n",
                        comparison.what.c_str(), keys, megabytes, 1e3 * outcome.ours / rounds,
                        1e3 * outcome.theirs / rounds, ratio, outcome.lowest, outcome.highest,
                        met ? "met" : "missed");
        }
    }
    std::printf("\n%s\n",
                allMet ? "Every ratio meets the goal." : "At least one ratio misses the goal.");
}

// Takes `--rounds=N` out of the arguments, leaving the rest to Google Benchmark.
int TakeRounds(int& argc, char** argv) {
    int rounds = kDefaultRounds;
    const std::string flag = "--rounds=";
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind(flag, 0) == 0) {
            rounds = std::max(1, std::atoi(argument.c_str() + flag.size()));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return rounds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = TakeRounds(argc, argv);
    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        Register("OurLoad", OurLoad, keys);
        Register("PugiParseFile", PugiParseFile, keys);
        Register("OurLoadFromMemory", OurLoadFromMemory, keys);
        Register("PugiParseMemory", PugiParseMemory, keys);
        Register("OurSave", OurSave, keys);
        Register("PugiWriteFile", PugiWriteFile, keys);
        Register("OurSaveToMemory", OurSaveToMemory, keys);
        Register("PugiWriteMemory", PugiWriteMemory, keys);
        Register("OurCheckCharacters", OurCheckCharacters, keys);
        Register("OurReadMarkup", OurReadMarkup, keys);
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    PrintComparisons(rounds);
    benchmark::Shutdown();

    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        std::error_code ignored;  // scratch files; nothing to do if they are already gone
        std::filesystem::remove(Scratch("ours-" + std::to_string(keys) + ".pro"), ignored);
        std::filesystem::remove(Scratch("pugi-" + std::to_string(keys) + ".pro"), ignored);
    }
    std::error_code ignored;
    std::filesystem::remove(Scratch("pugi-written.pro"), ignored);
    return 0;
}

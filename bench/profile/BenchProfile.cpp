// Saving and loading large profiles (246 keys with 799-item macros, big libraries), and, on
// the same text, pugixml parsing and writing it. At the end the run prints how our load and
// save compare with pugixml's parse and write.
#include "profile/ProfileFile.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kMacroItems = 799;

// Key slots that hold a 799-item macro; the rest keep their defaults.
constexpr int kMediumProfileKeys = 36;  // a little over 5 MB
constexpr int kLargeProfileKeys = 246;  // every slot

std::filesystem::path Scratch(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("z9rt-bench-" + std::to_string(::getpid()) + "-" + name);
}

CItemList Macro(int seed) {
    CItemList macro;
    macro.SizeOfView = 9;
    macro.Cycles = 1 + seed % 5;
    const wchar_t* keys[] = {L"A", L"LCTRL", L"Ctrl&Caps Exchange", L"(Enter)", L"F12"};
    for (int i = 0; i < kMacroItems; ++i) {
        const std::wstring key = keys[(i / 2 + seed) % 5];
        if (i % 2 == 1) {
            macro.Append(L"<" + std::to_wstring(10 + (i + seed) % 300) + L" ms>");
        } else {
            macro.Append(key + ((i / 2) % 2 == 0 ? L" Down" : L" UP"));
        }
    }
    return macro;
}

std::unique_ptr<CKeyboardConfig> LargeConfig(int macroKeys) {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    int slot = 0;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer, ++slot) {
            if (slot < macroKeys) {
                config->keyMode[key][layer] = KindMacro;
                config->keyList[key][layer] = Macro(slot);
            }
        }
        config->lightColor[key] = {key, 255 - key, (key * 7) % 256};
    }
    for (int entry = 0; entry < 20; ++entry) {
        config->predefinedMacro.Append(L"宏 " + std::to_wstring(entry));
        config->predefinedMacro.SetSubList(config->predefinedMacro.CursorPos, Macro(entry));
    }
    for (int entry = 0; entry < 200; ++entry) {
        CItemList combo;
        combo.SizeOfView = 6;
        for (const wchar_t* key : {L"LCTRL", L"LSHIFT", L"<>|", L"A"}) {
            combo.Append(key);
        }
        config->predefinedCombo.Append(L"combo \"" + std::to_wstring(entry) + L"\"");
        config->predefinedCombo.SetSubList(config->predefinedCombo.CursorPos, combo);
    }
    return config;
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
        CXmlDoc doc;
        BuildProfileDocument(*fixture.config, fixture.config->deviceType, doc);
        const std::string bytes = doc.EncodedText();
        benchmark::DoNotOptimize(bytes.data());
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
        CXmlDoc doc;
        doc.LoadBytes(fixture.text);
        const ProfileResult result = ReadProfileDocument(doc, config);
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
    benchmark::RegisterBenchmark(name, function)
        ->Arg(macroKeys)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

// Keeps the median time of every benchmark so the comparisons can be printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                medians_[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatio(const std::string& ours, const std::string& theirs, int keys) const {
        const std::string suffix = "/" + std::to_string(keys);
        const auto a = medians_.find(ours + suffix);
        const auto b = medians_.find(theirs + suffix);
        if (a == medians_.end() || b == medians_.end() || b->second <= 0) {
            return;
        }
        std::printf("%-18s / %-16s %3d keys: %5.2f (goal: at most 3)\n", ours.c_str(),
                    theirs.c_str(), keys, a->second / b->second);
    }

private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    // Each of ours right beside pugixml's counterpart, so both see the same machine load.
    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        Register("OurLoad", OurLoad, keys);
        Register("PugiParseFile", PugiParseFile, keys);
        Register("OurLoadFromMemory", OurLoadFromMemory, keys);
        Register("PugiParseMemory", PugiParseMemory, keys);
        Register("OurSave", OurSave, keys);
        Register("PugiWriteFile", PugiWriteFile, keys);
        Register("OurSaveToMemory", OurSaveToMemory, keys);
        Register("PugiWriteMemory", PugiWriteMemory, keys);
    }

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nRatios of the median times (ours / pugixml's):\n");
    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        reporter.PrintRatio("OurLoad", "PugiParseFile", keys);
        reporter.PrintRatio("OurLoadFromMemory", "PugiParseMemory", keys);
        reporter.PrintRatio("OurSave", "PugiWriteFile", keys);
        reporter.PrintRatio("OurSaveToMemory", "PugiWriteMemory", keys);
    }
    for (int keys : {kMediumProfileKeys, kLargeProfileKeys}) {
        std::error_code ignored;  // scratch files; nothing to do if they are already gone
        std::filesystem::remove(Scratch("ours-" + std::to_string(keys) + ".pro"), ignored);
        std::filesystem::remove(Scratch("pugi-" + std::to_string(keys) + ".pro"), ignored);
    }
    std::error_code ignored;
    std::filesystem::remove(Scratch("pugi-written.pro"), ignored);
    return 0;
}

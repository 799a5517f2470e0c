// What the tool tests share: a fresh folder and simulated keyboard per test, the tool run in
// it as a separate process, and the report trace and profiles it leaves.
#pragma once

#include "ToolRunner.h"
#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace z9rt::cli::test {

namespace fs = std::filesystem;

inline const std::string kGoldenDirectory = Z9RT_PROFILE_GOLDEN_DIR;

// The version query every keyboard command starts with, as the trace shows it.
inline const std::string kVersionRequest =
    "> 00 f9 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00";

// "> " and 64 payload bytes: the given ones, then zeros (or `fill`).
inline std::string Sent(const std::vector<int>& bytes, int fill = 0) {
    std::string line = ">";
    char hex[4];
    for (int i = 0; i < 64; ++i) {
        const int value =
            i < static_cast<int>(bytes.size()) ? bytes[static_cast<std::size_t>(i)] : fill;
        std::snprintf(hex, sizeof hex, " %02x", value);
        line += hex;
    }
    return line;
}

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A fresh folder of the test's own.
        std::random_device random;
        fs::path folder;
        do {
            folder = fs::temp_directory_path() / ("z9rtctl-test-" + std::to_string(random()));
        } while (!fs::create_directory(folder));
        directory_ = folder.generic_string();
        environment_ = {{"Z9RT_HID", "sim"},
                        {"Z9RT_SIM_STATE", directory_ + "/keyboard.txt"},
                        {"Z9RT_HID_TRACE", directory_ + "/trace.txt"},
                        {"Z9RT_SIM_MODEL", ""},
                        {"Z9RT_SIM_FAULT", ""}};
    }
    void TearDown() override {
        // A tool that just ended may hold its folder a moment longer on some systems.
        std::error_code error;
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::remove_all(directory_, error);
            if (!error) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    ToolRun Run(const std::vector<std::string>& arguments,
                const std::map<std::string, std::string>& extra = {},
                const std::string& input = "") {
        return Start(arguments, extra, input).Finish();
    }
    // Starts the tool without waiting for it, so that several can run side by side.
    RunningTool Start(const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& extra = {},
                      const std::string& input = "") {
        std::map<std::string, std::string> environment = environment_;
        for (const auto& [name, value] : extra)
            environment[name] = value;
        return StartTool(arguments, environment, directory_, input);
    }
    std::string Path(const std::string& name) const { return directory_ + "/" + name; }
    std::vector<std::string> Trace() const { return ReadLines(Path("trace.txt")); }
    // The trace's lines of reports sent.
    std::vector<std::string> SentTrace() const {
        std::vector<std::string> sent;
        for (const std::string& line : Trace()) {
            if (line.rfind('>', 0) == 0)
                sent.push_back(line);
        }
        return sent;
    }
    void ClearTrace() const { fs::remove(Path("trace.txt")); }

    // Saves a profile of `config` under `name`.
    void Save(const model::CKeyboardConfig& config, const std::string& name) {
        ASSERT_TRUE(profile::SaveProfile(config, Path(name)).Ok());
    }

    static void Prepare(model::CKeyboardConfig& config, int deviceType) {
        config.deviceType = deviceType;
        config.BuildCodeTables();
        config.ResetToDefaults();
    }

    // A failure is one line on standard error, naming the tool.
    static void ExpectOneLineFailure(const ToolRun& run, int status, const std::string& words) {
        EXPECT_EQ(run.status, status) << run.err;
        EXPECT_EQ(run.err.rfind("z9rtctl: ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    }

    std::string directory_;
    std::map<std::string, std::string> environment_;
};

}  // namespace z9rt::cli::test

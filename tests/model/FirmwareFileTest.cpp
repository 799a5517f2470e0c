#include "TestPlatform.h"
#include "model/FirmwareFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

using model::FirmwareFile;
using model::FirmwareFileProblem;
using model::HexProblem;
using model::kLargestFirmwareFile;
using model::ReadFirmwareFile;

namespace fs = std::filesystem;

namespace {

const std::string kSound =
    ":10010000214601360121470136007EFE09D2190140\n"
    ":00000001FF\n";

class FirmwareFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("firmware-file-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& content) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    fs::path dir_;
};

TEST_F(FirmwareFileTest, SoundFileLeavesWithCrLfLines) {
    const FirmwareFile file = ReadFirmwareFile(Write("Z9RT(S)_1.bin", kSound));
    ASSERT_TRUE(file.ok()) << file.reason << file.check.problem;
    EXPECT_EQ(file.size, kSound.size());
    EXPECT_EQ(file.check.normalizedText,
              ":10010000214601360121470136007EFE09D2190140\r\n:00000001FF\r\n");
}

TEST_F(FirmwareFileTest, RefusesWhatIsNoSoundFirmwareFile) {
    const fs::path fifo = dir_ / "pipe.bin";
    ASSERT_TRUE(testplatform::MakeFifo(fifo));
    const fs::path tooLarge = Write("large.bin", "");
    fs::resize_file(tooLarge, kLargestFirmwareFile + 1);
    const fs::path atTheLimit = Write("limit.bin", "");
    fs::resize_file(atTheLimit, kLargestFirmwareFile);

    struct Case {
        fs::path path;
        FirmwareFileProblem problem;
    } cases[] = {
        {dir_ / "missing.bin", FirmwareFileProblem::CannotOpen},
        {dir_, FirmwareFileProblem::NotRegularFile},
        // A named pipe would block a reader until someone writes to it: refused unopened.
        {fifo, FirmwareFileProblem::NotRegularFile},
        {"/dev/zero", FirmwareFileProblem::NotRegularFile},
        {tooLarge, FirmwareFileProblem::TooLarge},
        // At the limit the file is read, and its zeros are no records.
        {atTheLimit, FirmwareFileProblem::BadRecords},
        {Write("cut.bin", kSound.substr(0, 44)), FirmwareFileProblem::BadRecords},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        const FirmwareFile file = ReadFirmwareFile(c.path);
        EXPECT_EQ(file.problem, c.problem);
        EXPECT_FALSE(file.ok());
    }
    EXPECT_FALSE(ReadFirmwareFile(dir_ / "missing.bin").reason.empty());
    EXPECT_EQ(ReadFirmwareFile(tooLarge).size, kLargestFirmwareFile + 1);
}

TEST_F(FirmwareFileTest, DamagedRecordNamesItsLine) {
    std::string damaged = kSound;
    damaged.replace(damaged.find(":00000001FF"), 11, ":00000001FE");
    const FirmwareFile file = ReadFirmwareFile(Write("bad.bin", damaged));
    EXPECT_EQ(file.problem, FirmwareFileProblem::BadRecords);
    EXPECT_EQ(file.check.problemKind, HexProblem::BadChecksum);
    EXPECT_EQ(file.check.line, 2);
}

// The file is judged by what was opened, not by a look at its name before: swapping it for a
// named pipe in between must never leave the reader waiting for a writer.
TEST_F(FirmwareFileTest, AFileSwappedForAPipeNeverBlocksTheReader) {
    const fs::path path = Write("Z9RT(S)_1.bin", kSound);
    const fs::path pipe = dir_ / "pipe";
    ASSERT_TRUE(testplatform::MakeFifo(pipe));
    constexpr int kReads = 2000;
    std::atomic<bool> done{false};
    std::atomic<int> wrongOutcomes{0};
    std::thread reader([&] {
        for (int i = 0; i < kReads; ++i) {
            const FirmwareFile file = ReadFirmwareFile(path);
            if (!file.ok() && file.problem != FirmwareFileProblem::NotRegularFile) {
                ++wrongOutcomes;
            }
        }
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < deadline) {
        ASSERT_TRUE(testplatform::SwapNames(path, pipe));
    }
    const bool blocked = !done;
    // A reader stuck on the pipe gets writers until it is through, so that the test ends.
    while (!done) {
        for (const fs::path& name : {path, pipe}) {
            testplatform::KnockAsWriter(name);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    reader.join();
    EXPECT_FALSE(blocked) << "a read waited on the named pipe";
    EXPECT_EQ(wrongOutcomes, 0);
}

}  // namespace

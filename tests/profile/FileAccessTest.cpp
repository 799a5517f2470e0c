#include "TestFiles.h"
#include "TestPlatform.h"
#include "profile/FileAccess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using profile::ByteSink;
using profile::FileLock;
using profile::IsTemporaryNameOf;
using profile::LockFileForUpdate;
using profile::ReadWholeFile;
using profile::ReplaceFileContents;
using profile::TemporaryNameOf;

namespace {

std::size_t EntriesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(FileReplacement, WritesAndReplacesWholeFilesOnly) {
    ScratchFolder folder;
    const std::filesystem::path file = folder / "profile.pro";
    std::string whyNot;
    ASSERT_TRUE(ReplaceFileContents(file, "first", whyNot)) << whyNot;
    ASSERT_TRUE(ReplaceFileContents(file, "second", whyNot)) << whyNot;
    EXPECT_EQ(ReadBytes(file), "second");
    EXPECT_EQ(EntriesIn(folder.Path()), 1U);  // no temporary file left behind
}

TEST(FileReplacement, AFailedWriteLeavesThePreviousFile) {
    ScratchFolder folder;
    const std::filesystem::path file = folder / "profile.pro";
    WriteBytes(file, "previous");
    std::string whyNot;
    const auto failing = [](const ByteSink& sink) { return sink("partial") && false; };
    EXPECT_FALSE(ReplaceFileContents(file, failing, whyNot));
    EXPECT_FALSE(whyNot.empty());
    EXPECT_EQ(ReadBytes(file), "previous");
    EXPECT_EQ(EntriesIn(folder.Path()), 1U);
}

TEST(FileReplacement, ReportsWhyItCannotWrite) {
    ScratchFolder folder;
    std::string whyNot;
    EXPECT_FALSE(ReplaceFileContents(folder / "no-such-folder" / "x.pro", "bytes", whyNot));
    EXPECT_NE(whyNot.find("No such file"), std::string::npos) << whyNot;
    std::filesystem::create_directory(folder / "folder");
    EXPECT_FALSE(ReplaceFileContents(folder / "folder", "bytes", whyNot));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder"));
}

TEST(FileReplacement, KeepsPermissionsAndReplacesWhatALinkPointsTo) {
    ScratchFolder folder;
    const std::filesystem::path file = folder / "real.pro";
    WriteBytes(file, "old");
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    std::filesystem::create_symlink(file, folder / "link.pro");
    std::string whyNot;
    ASSERT_TRUE(ReplaceFileContents(folder / "link.pro", "new", whyNot)) << whyNot;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.pro"));
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
}

TEST(FileReading, ReadsEverythingWithinTheLimit) {
    ScratchFolder folder;
    const std::string content(200000, 'x');
    WriteBytes(folder / "f", content);
    std::string bytes;
    std::string whyNot;
    ASSERT_TRUE(ReadWholeFile(folder / "f", content.size(), bytes, whyNot));
    EXPECT_EQ(bytes, content);
    EXPECT_FALSE(ReadWholeFile(folder / "f", content.size() - 1, bytes, whyNot));
    EXPECT_TRUE(bytes.empty());
    WriteBytes(folder / "empty", "");
    ASSERT_TRUE(ReadWholeFile(folder / "empty", 10, bytes, whyNot));
    EXPECT_TRUE(bytes.empty());
}

TEST(FileReading, RefusesWhatIsNotARegularFileWithoutReadingIt) {
    ScratchFolder folder;
    const std::filesystem::path fifo = folder / "fifo.pro";
    ASSERT_TRUE(testplatform::MakeFifo(fifo));
    // A FIFO nobody writes to would block, the devices never end or hold nothing.
    for (const std::filesystem::path& path :
         {fifo, std::filesystem::path("/dev/zero"), std::filesystem::path("/dev/null")}) {
        std::string bytes = "old";
        std::string whyNot;
        EXPECT_FALSE(ReadWholeFile(path, 1 << 20, bytes, whyNot)) << path;
        EXPECT_EQ(whyNot, path.string() + ": not a regular file");
        EXPECT_TRUE(bytes.empty());
    }
}

// Temporary files a killed writer left are recognised by their names and removed by the next
// replacement of the same file, unless a writer still holds them.
TEST(FileReplacement, ClearsTemporaryFilesTheirWritersLeft) {
    ScratchFolder folder;
    const std::filesystem::path file = folder / "p.pro";
    WriteBytes(file, "old");
    const std::string abandoned = TemporaryNameOf("p.pro", 0x1234);
    const std::string earlier = ".p.pro.tmp123456789";  // what earlier versions left
    const std::string held = TemporaryNameOf("p.pro", 0x5678);
    const std::string otherFile = TemporaryNameOf("q.pro", 0x1234);
    for (const std::string& name : {abandoned, earlier, held, otherFile}) {
        WriteBytes(folder / name, "partial");
    }
    std::shared_ptr<void> writer = testplatform::HoldAsWriter(folder / held);
    ASSERT_NE(writer, nullptr);
    std::string whyNot;
    ASSERT_TRUE(ReplaceFileContents(file, "new", whyNot)) << whyNot;
    EXPECT_FALSE(std::filesystem::exists(folder / abandoned));
    EXPECT_FALSE(std::filesystem::exists(folder / earlier));
    EXPECT_TRUE(std::filesystem::exists(folder / held));
    EXPECT_TRUE(std::filesystem::exists(folder / otherFile));
    writer.reset();
    EXPECT_EQ(ReadBytes(file), "new");

    EXPECT_TRUE(IsTemporaryNameOf(abandoned, "p.pro"));
    EXPECT_TRUE(IsTemporaryNameOf(earlier, "p.pro"));
    for (const char* name : {".p.pro", "p.pro", ".p.pro.tmp", ".p.pro.tmpx", ".p.pro.z9rt-12.tmp",
                             ".p.pro.tmp12345678901", ".q.pro.tmp1", ".p.pr.tmp1"}) {
        EXPECT_FALSE(IsTemporaryNameOf(name, "p.pro")) << name;
    }
}

// The update lock makes a second locker wait; once the file was replaced under the name, the
// waiter ends up holding the new file, not the old one nobody reads any more.
TEST(FileLocking, ASecondLockerWaitsAndGetsTheFileTheNameLeadsTo) {
    ScratchFolder folder;
    const std::filesystem::path file = folder / "p.pro";
    WriteBytes(file, "first");
    FileLock first;
    std::string whyNot;
    ASSERT_TRUE(LockFileForUpdate(file, first, whyNot)) << whyNot;
    ASSERT_TRUE(first.Held());

    std::atomic<bool> locked{false};
    std::string seen;
    std::thread second([&] {
        FileLock lock;
        std::string why;
        if (LockFileForUpdate(file, lock, why)) {
            locked = true;
            seen = ReadBytes(file);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(locked);
    ASSERT_TRUE(ReplaceFileContents(file, "second", whyNot)) << whyNot;
    first.Release();
    second.join();
    EXPECT_TRUE(locked);
    EXPECT_EQ(seen, "second");

    // Nothing to lock yet for a new file; what is no regular file is refused.
    FileLock none;
    EXPECT_TRUE(LockFileForUpdate(folder / "new.pro", none, whyNot));
    EXPECT_FALSE(none.Held());
    EXPECT_FALSE(LockFileForUpdate("/dev/null", none, whyNot));
    EXPECT_EQ(whyNot, "/dev/null: not a regular file");
}

}  // namespace

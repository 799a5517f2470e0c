#include "TestFiles.h"
#include "profile/FileAccess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    std::filesystem::create_symlink(file, folder / "link.pro");
    std::string whyNot;
    ASSERT_TRUE(ReplaceFileContents(folder / "link.pro", "new", whyNot)) << whyNot;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.pro"));
    EXPECT_EQ(ReadBytes(file), "new");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640U);
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
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
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

}  // namespace

// Reading a whole file, replacing a file's content without ever leaving it half written, and
// the lock that keeps two read-modify-writes of one file from losing each other's changes.
//
// The interface is the same on every platform; FileAccessPosix.cpp implements it for POSIX
// systems, FileAccessWindows.cpp for Windows.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace profile {

// Takes the next piece of a file's content; false stops the writing (the write failed).
using ByteSink = std::function<bool(std::string_view)>;

// What reading a whole file came to.
struct FileRead {
    enum class Problem {
        None,
        CannotOpen,      // missing, unreadable, or a read error
        NotRegularFile,  // a folder, a FIFO, a device...: refused without reading from it
        TooLarge,        // more bytes than the limit
    };
    Problem problem = Problem::None;
    std::string bytes;        // the content when there was no problem
    std::string whyNot;       // "PATH: reason" when there was one
    std::uintmax_t size = 0;  // bytes found (for TooLarge, at least this many)

    bool Ok() const { return problem == Problem::None; }
};

// Opens the file once, judges what was opened (only a regular file is read; a FIFO without a
// writer is refused at once instead of blocking) and reads it whole, at most `maxBytes`.
FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes);
// The same, with the content in `bytes` and the reason in `whyNot`.
bool ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                   std::string& whyNot);

// Writes the content to a new file in the same folder, flushes it to the disk and renames it
// over `path`, then flushes the folder. Only a regular file is replaced, or a missing one
// created: a FIFO, a device, a folder, a dangling symbolic link or a link loop is refused. A
// symbolic link to a regular file is followed: its target is replaced and the link stays.
// The replaced file's owner, group and permission bits are kept (set-user-ID and set-group-ID
// never); a file with more than one hard link is refused, as replacing it would cut it off
// from its other names. The new file is invisible until it is complete, and temporary files
// that an earlier writer left when it was killed are removed. On failure `path` is untouched
// and `whyNot` says why ("PATH: reason").
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& whyNot);
// The same with the content handed over in pieces by `produce`, which returns false when it
// could not produce all of it.
bool ReplaceFileContents(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce, std::string& whyNot);

// Whether a file name is one of the temporary names ReplaceFileContents gives the files it
// writes beside `target` (or gave them in earlier versions).
bool IsTemporaryNameOf(std::string_view name, std::string_view target);
// A temporary name beside `target` for a new file, unique with `token`.
std::string TemporaryNameOf(std::string_view target, std::uint64_t token);

// The update lock of one file: held from reading a file to replacing it, so that another
// process's read-modify-write of the same file waits instead of losing this one's change (or
// having its own lost). Released when the object goes.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False for a lock on nothing (a file that did not exist yet).
    bool Held() const { return handle_ != kNone; }
    void Release();

private:
    friend bool LockFileForUpdate(const std::filesystem::path&, FileLock&, std::string&);
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // the platform's handle of the locked file
};

// How long LockFileForUpdate waits for another process to finish with the file.
inline constexpr std::chrono::seconds kFileLockWait{10};

// Takes the update lock of the file `path` names (of the link's target for a symbolic link).
// A missing file has nothing to lock yet: `lock` then holds nothing and the result is true.
// False, with `whyNot`, when the path names something ReplaceFileContents would refuse, or
// when another process kept the lock for longer than kFileLockWait.
bool LockFileForUpdate(const std::filesystem::path& path, FileLock& lock, std::string& whyNot);

}  // namespace profile

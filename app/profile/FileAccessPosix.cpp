// File access on POSIX systems (with the Linux extras O_TMPFILE and O_PATH where present).
//
// A file is replaced by writing a new file in the same folder and renaming it over the old
// one. Where the system allows, the new file has no name until it is complete (O_TMPFILE) and
// is linked in under a temporary name only for the rename. Every temporary file is locked by
// its writer (flock) from before it has a name until it is renamed: a name whose file nobody
// holds locked was left by a writer that is gone, and the next replacement of the same file
// removes it.
//
// The update lock is a flock on the file itself. A rename puts a new file under the name, so
// a lock on the old file no longer guards the name: after taking it, the locker checks that
// the name still leads to the file it locked, and otherwise locks again what it leads to now.
#include "profile/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace profile {

namespace {

// Permissions of a new file before the process's umask applies.
constexpr mode_t kNewFileMode = 0666;
// The permission bits a replacement keeps: never set-user-ID, set-group-ID or sticky.
constexpr mode_t kKeptPermissionBits = 0777;
// Attempts at finding an unused temporary name.
constexpr int kTemporaryNameAttempts = 100;
// Pauses between attempts at a lock another process holds.
constexpr std::chrono::milliseconds kFirstLockPause{2};
constexpr std::chrono::milliseconds kLongestLockPause{50};

std::string Describe(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::error_code(error, std::generic_category()).message();
}

// Closes a descriptor when it goes out of scope, unless released.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            // Only reached on a path that already failed or only read; that is what counts.
            static_cast<void>(::close(fd_));
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Descriptor gone(fd_);  // closes what this held
            fd_ = other.Release();
        }
        return *this;
    }

    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    // Closes now and reports whether closing succeeded.
    bool Close() { return ::close(Release()) == 0; }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::uint64_t RandomToken() {
    static thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return random();
}

// The file a path stands for when it is to be replaced: the path itself, or a symbolic link's
// final target.
struct Target {
    std::filesystem::path path;
    bool exists = false;
    struct stat status {};
};

bool Resolve(const std::filesystem::path& path, Target& target, std::string& whyNot) {
    target = Target{path};
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) {
            return true;  // a new file
        }
        whyNot = Describe(path, errno);
        return false;
    }
    if (S_ISLNK(status.st_mode)) {
        char* const real = ::realpath(path.c_str(), nullptr);
        if (real == nullptr) {
            whyNot = errno == ENOENT ? path.string() + ": a symbolic link to a missing file"
                                     : Describe(path, errno);
            return false;
        }
        target.path = real;
        std::free(real);
        if (::stat(target.path.c_str(), &status) != 0) {
            whyNot = Describe(path, errno);
            return false;
        }
    }
    if (S_ISDIR(status.st_mode)) {
        whyNot = Describe(path, EISDIR);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        whyNot = path.string() + ": not a regular file";
        return false;
    }
    target.exists = true;
    target.status = status;
    return true;
}

// The folder a file is replaced in. Without read permission on it the folder can still be
// written through a path descriptor, but neither listed nor flushed.
struct Folder {
    Descriptor fd{-1};
    bool readable = false;
};

bool OpenFolder(const std::filesystem::path& file, Folder& folder, int& error) {
    std::filesystem::path path = file.parent_path();
    if (path.empty()) {
        path = ".";
    }
    folder.fd = Descriptor(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    folder.readable = folder.fd.Get() >= 0;
#ifdef O_PATH
    if (!folder.readable && errno == EACCES) {
        folder.fd = Descriptor(::open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
#endif
    error = errno;
    return folder.fd.Get() >= 0;
}

// Removes the temporary file `name` in the folder when no writer holds it any more.
void RemoveIfAbandoned(int folder, const char* name) {
    int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        fd = ::openat(folder, name, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        return;  // gone already, or not ours to judge
    }
    const Descriptor file(fd);
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
        ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return;  // its writer is still at work
    }
    if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named)) {
        // Best effort: a file that cannot be removed stays for a later attempt.
        static_cast<void>(::unlinkat(folder, name, 0));
    }
}

void RemoveAbandonedTemporaries(const Folder& folder, const std::string& target) {
    if (!folder.readable) {
        return;
    }
    const int listing = ::dup(folder.fd.Get());
    if (listing < 0) {
        return;
    }
    DIR* const entries = ::fdopendir(listing);
    if (entries == nullptr) {
        static_cast<void>(::close(listing));
        return;
    }
    ::rewinddir(entries);
    while (const dirent* entry = ::readdir(entries)) {
        if (IsTemporaryNameOf(entry->d_name, target)) {
            RemoveIfAbandoned(folder.fd.Get(), entry->d_name);
        }
    }
    static_cast<void>(::closedir(entries));  // only listed
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file in the folder, locked; `name` is empty while it has none.
struct NewFile {
    Descriptor fd{-1};
    std::string name;
};

bool CanLinkUnnamedFiles() {
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

bool CreateNewFile(const Folder& folder, const std::string& target, NewFile& file, int& error) {
#ifdef O_TMPFILE
    if (CanLinkUnnamedFiles()) {
        file.fd = Descriptor(
            ::openat(folder.fd.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode));
        if (file.fd.Get() >= 0) {
            // Locked before it ever has a name, so no cleaner can take it for abandoned.
            if (::flock(file.fd.Get(), LOCK_EX) == 0) {
                return true;
            }
            error = errno;
            return false;
        }
        // The file system has no unnamed files: a named one instead.
    }
#endif
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string name = TemporaryNameOf(target, RandomToken());
        file.fd = Descriptor(::openat(folder.fd.Get(), name.c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                      kNewFileMode));
        if (file.fd.Get() < 0) {
            if (errno == EEXIST) {
                continue;
            }
            error = errno;
            return false;
        }
        // A cleaner that locked it first removes it: then another name.
        if (::flock(file.fd.Get(), LOCK_EX | LOCK_NB) == 0) {
            file.name = std::move(name);
            return true;
        }
    }
    error = EEXIST;
    return false;
}

// Gives an unnamed new file a temporary name.
bool NameNewFile(const Folder& folder, const std::string& target, NewFile& file, int& error) {
    if (!file.name.empty()) {
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd.Get());
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        std::string name = TemporaryNameOf(target, RandomToken());
        if (::linkat(AT_FDCWD, self.c_str(), folder.fd.Get(), name.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            file.name = std::move(name);
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = errno;
    return false;
}

// Gives the new file the replaced file's owner, group and permission bits.
bool TakeOver(int fd, const Target& target, const std::filesystem::path& path,
              std::string& whyNot) {
    if (!target.exists) {
        return true;
    }
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) {
        whyNot = Describe(path, errno);
        return false;
    }
    const struct stat& old = target.status;
    if ((mine.st_uid != old.st_uid || mine.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        whyNot = path.string() + ": cannot keep the file's owner and group (" +
                 std::error_code(errno, std::generic_category()).message() + ")";
        return false;
    }
    if (::fchmod(fd, old.st_mode & kKeptPermissionBits) != 0) {
        whyNot = Describe(path, errno);
        return false;
    }
    return true;
}

}  // namespace

FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    FileRead read;
    auto refuse = [&read](FileRead::Problem problem, std::string whyNot) {
        read.problem = problem;
        read.whyNot = std::move(whyNot);
        read.bytes.clear();
        return std::move(read);
    };
    const auto tooLarge = [&path] { return path.string() + ": file too large"; };
    // Opened once and without waiting, then judged by what was opened: a FIFO without a
    // writer is refused at once instead of blocking the caller, and nothing can swap the file
    // between the judging and the reading.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0) {
        return refuse(FileRead::Problem::CannotOpen, Describe(path, errno));
    }
    if (S_ISDIR(status.st_mode)) {
        return refuse(FileRead::Problem::NotRegularFile, Describe(path, EISDIR));
    }
    // A FIFO, a socket or a device may never end (or block the reader); only files are read.
    if (!S_ISREG(status.st_mode)) {
        return refuse(FileRead::Problem::NotRegularFile, path.string() + ": not a regular file");
    }
    read.size = static_cast<std::uintmax_t>(status.st_size);
    if (read.size > maxBytes) {
        return refuse(FileRead::Problem::TooLarge, tooLarge());
    }
    // The size is only a hint (files may grow while they are read): read straight into the
    // string until the end, one byte beyond the limit at most.
    constexpr std::size_t kMinimumRead = 1 << 16;
    std::size_t filled = 0;
    read.bytes.resize(
        std::min(std::max(static_cast<std::size_t>(read.size) + 1, kMinimumRead), maxBytes + 1));
    while (true) {
        if (filled == read.bytes.size()) {
            if (read.bytes.size() > maxBytes) {
                read.size = filled;
                return refuse(FileRead::Problem::TooLarge, tooLarge());
            }
            read.bytes.resize(std::min(read.bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t count =
            ::read(file.Get(), read.bytes.data() + filled, read.bytes.size() - filled);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return refuse(FileRead::Problem::CannotOpen, Describe(path, errno));
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    read.bytes.resize(filled);
    read.size = filled;
    return read;
}

bool ReplaceFileContents(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce, std::string& whyNot) {
    Target target;
    if (!Resolve(path, target, whyNot)) {
        return false;
    }
    if (target.exists && target.status.st_nlink > 1) {
        whyNot = path.string() + ": the file has " + std::to_string(target.status.st_nlink) +
                 " hard links, which a replacement would cut off; save it under another name";
        return false;
    }
    const std::string targetName = target.path.filename().string();
    Folder folder;
    int error = 0;
    if (!OpenFolder(target.path, folder, error)) {
        whyNot = Describe(path, error);
        return false;
    }
    RemoveAbandonedTemporaries(folder, targetName);

    NewFile file;
    if (!CreateNewFile(folder, targetName, file, error)) {
        whyNot = Describe(path, error);
        return false;
    }
    auto fail = [&](int failure) {
        if (failure != 0) {
            whyNot = Describe(path, failure);
        }
        if (!file.name.empty()) {
            // Best effort: a name left behind is removed by the next replacement.
            static_cast<void>(::unlinkat(folder.fd.Get(), file.name.c_str(), 0));
        }
        return false;
    };
    if (!TakeOver(file.fd.Get(), target, path, whyNot)) {
        return fail(0);
    }
    int writeError = 0;
    const ByteSink sink = [&file, &writeError](std::string_view piece) {
        if (!WriteAll(file.fd.Get(), piece)) {
            writeError = errno;
            return false;
        }
        return true;
    };
    if (!produce(sink)) {
        return fail(writeError != 0 ? writeError : EIO);
    }
    if (::fsync(file.fd.Get()) != 0) {
        return fail(errno);
    }
    if (!NameNewFile(folder, targetName, file, error)) {
        return fail(error);
    }
    if (::renameat(folder.fd.Get(), file.name.c_str(), folder.fd.Get(), targetName.c_str()) != 0) {
        return fail(errno);
    }
    file.name.clear();
    if (folder.readable) {
        // The rename is done and is what the caller asked for; a file system that cannot
        // flush folders (EINVAL) keeps it as well as it keeps any rename.
        static_cast<void>(::fsync(folder.fd.Get()));
    }
    // Closing releases the lock; the content is flushed already.
    static_cast<void>(file.fd.Close());
    return true;
}

void FileLock::Release() {
    if (handle_ != kNone) {
        // Closing a descriptor that was only read from and locked releases the lock.
        static_cast<void>(::close(static_cast<int>(handle_)));
        handle_ = kNone;
    }
}

bool LockFileForUpdate(const std::filesystem::path& path, FileLock& lock, std::string& whyNot) {
    lock.Release();
    const auto deadline = std::chrono::steady_clock::now() + kFileLockWait;
    std::chrono::milliseconds pause = kFirstLockPause;
    while (true) {
        Target target;
        if (!Resolve(path, target, whyNot)) {
            return false;
        }
        if (!target.exists) {
            return true;  // nothing to guard yet
        }
        int fd = ::open(target.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == EACCES) {
            fd = ::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        }
        if (fd < 0 && errno == EACCES) {
            return true;  // neither readable nor writable here: there is no update to guard
        }
        if (fd < 0 && errno != ENOENT && errno != ELOOP) {
            whyNot = Describe(path, errno);
            return false;
        }
        Descriptor file(fd);
        if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            struct stat locked {};
            struct stat named {};
            if (::fstat(fd, &locked) == 0 && ::stat(target.path.c_str(), &named) == 0 &&
                SameFile(locked, named)) {
                lock.handle_ = file.Release();
                return true;
            }
            continue;  // replaced meanwhile: lock the file the name leads to now
        }
        if (fd >= 0 && errno != EWOULDBLOCK) {
            whyNot = Describe(path, errno);
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            whyNot = path.string() + ": another program is changing the file; try again";
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, kLongestLockPause);
    }
}

}  // namespace profile

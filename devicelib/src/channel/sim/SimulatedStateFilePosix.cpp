// The state file on a POSIX system: flock, and a new file renamed over the old one.
#include "channel/sim/SimulatedStateFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z9rt::sim {
namespace {

// Reads the rest of `fd` into `text`, at most one byte beyond kLargestStateFile (the size is
// a hint only: the file may grow while it is read). False, with `reason`, when a read fails.
bool ReadAtMost(int fd, std::size_t sizeHint, std::string& text, std::string& reason) {
    text.assign(std::min(sizeHint, kLargestStateFile) + 1, '\0');
    std::size_t filled = 0;
    while (filled <= kLargestStateFile) {
        if (filled == text.size()) {
            text.resize(std::min(text.size() * 2, kLargestStateFile + 1));
        }
        const ssize_t count = ::read(fd, text.data() + filled, text.size() - filled);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            reason = std::strerror(errno);
            return false;
        }
        filled += static_cast<std::size_t>(count);
    }
    text.resize(filled);
    return true;
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text) {
    // Written beside the file and renamed over it, so that a process reading the state at the
    // same moment never sees half a file. Writers take turns (StateFileLock), so one name for
    // the new file is enough, and one left by a killed writer is simply written over.
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        written = static_cast<bool>(out << text) && static_cast<bool>(out.flush());
    }
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());  // nothing of a failed write is left behind
        return false;
    }
    return true;
}

StateFileLock::StateFileLock(const std::string& path, std::string& reason) {
    while (true) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            // Created empty if nobody else creates it first; either way there is a file now.
            const int created =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (created < 0 && errno != EEXIST) {
                reason = std::strerror(errno);
                return;
            }
            if (created >= 0) {
                static_cast<void>(::close(created));  // empty; nothing to lose
            }
            continue;
        }
        if (fd < 0) {
            reason = std::strerror(errno);
            return;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            reason = "not a regular file";
            static_cast<void>(::close(fd));
            return;
        }
        if (::flock(fd, LOCK_EX) == 0 && ::stat(path.c_str(), &named) == 0 &&
            named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
            handle_ = fd;
            return;
        }
        static_cast<void>(::close(fd));  // replaced meanwhile: lock what the name leads to now
    }
}

StateFileLock::~StateFileLock() {
    if (handle_ != -1) {
        static_cast<void>(
            ::close(static_cast<int>(handle_)));  // only locked, never written through
    }
}

StateFileRead ReadStateFile(const std::string& path) {
    StateFileRead result;
    // Opened without waiting, so that a FIFO without a writer cannot hold the keyboard up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.outcome =
            errno == ENOENT ? StateFileRead::Outcome::Missing : StateFileRead::Outcome::Refused;
        result.reason = std::strerror(errno);
        return result;
    }
    result.outcome = StateFileRead::Outcome::Refused;
    const std::string tooLarge = "larger than " + std::to_string(kLargestStateFile >> 20) + " MiB";
    struct stat status {};
    std::string text;
    if (::fstat(fd, &status) != 0) {
        result.reason = std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        result.reason = "not a regular file";
        // NOLINTNEXTLINE(bugprone-branch-clone): too large before reading, and while reading
    } else if (static_cast<std::uint64_t>(status.st_size) > kLargestStateFile) {
        result.reason = tooLarge;
    } else if (!ReadAtMost(fd, static_cast<std::size_t>(status.st_size), text, result.reason)) {
        // The reason is set.
    } else if (text.size() > kLargestStateFile) {
        result.reason = tooLarge;  // it grew while it was read
    } else {
        result.outcome = StateFileRead::Outcome::Read;
        result.text = std::move(text);
    }
    // Only read from: closing cannot lose anything.
    static_cast<void>(::close(fd));
    return result;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<unsigned long long>(status.st_dev),
                        static_cast<unsigned long long>(status.st_ino),
                        static_cast<long long>(status.st_size),
                        static_cast<long long>(status.st_mtim.tv_sec),
                        static_cast<long long>(status.st_mtim.tv_nsec)};
}

}  // namespace z9rt::sim

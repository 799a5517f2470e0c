#include "profile/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// Permissions of a new file before the process's umask applies.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
// Attempts at finding an unused temporary name.
constexpr int kTemporaryNameAttempts = 100;

std::string Describe(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::error_code(error, std::generic_category()).message();
}

// Closes a descriptor when it goes out of scope, unless released.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            // Only reached on a path that already failed; that failure is what gets reported.
            static_cast<void>(::close(fd_));
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    // Closes now and reports whether closing succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::path name = target;
    name.replace_filename("." + target.filename().string() + ".tmp" +
                          std::to_string(random() % 1000000000U));
    return name;
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

// The file a save must replace: the target of a symbolic link rather than the link.
std::filesystem::path ReplacedFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                   std::string& whyNot) {
    bytes.clear();
    // Opened without waiting, so that a FIFO without a writer is refused at once instead of
    // blocking the caller.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        whyNot = Describe(path, errno);
        return false;
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        whyNot = Describe(path, errno);
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        whyNot = Describe(path, EISDIR);
        return false;
    }
    // A FIFO, a socket or a device may never end (or block the reader); only files are read.
    if (!S_ISREG(status.st_mode)) {
        whyNot = path.string() + ": not a regular file";
        return false;
    }
    if (status.st_size > 0 && static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        whyNot = path.string() + ": file too large";
        return false;
    }
    // The size is only a hint (special files report 0, files may grow): read straight into
    // the string until the end, within the limit.
    constexpr std::size_t kMinimumRead = 1 << 16;
    std::size_t filled = 0;
    bytes.resize(std::max(static_cast<std::size_t>(status.st_size) + 1, kMinimumRead));
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) {
                whyNot = path.string() + ": file too large";
                bytes.clear();
                return false;
            }
            bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t count = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            whyNot = Describe(path, errno);
            bytes.clear();
            return false;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled > maxBytes) {
        whyNot = path.string() + ": file too large";
        bytes.clear();
        return false;
    }
    bytes.resize(filled);
    return true;
}

bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& whyNot) {
    return ReplaceFileContents(
        path, [bytes](const ByteSink& sink) { return sink(bytes); }, whyNot);
}

bool ReplaceFileContents(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce, std::string& whyNot) {
    const std::filesystem::path target = ReplacedFile(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        whyNot = Describe(path, EISDIR);
        return false;
    }

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temporary = TemporaryNameBeside(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        whyNot = Describe(path, errno);
        return false;
    }
    Descriptor file(fd);
    auto fail = [&](int error) {
        whyNot = Describe(path, error);
        static_cast<void>(::unlink(temporary.c_str()));  // best effort: the save failed anyway
        return false;
    };
    if (exists && ::fchmod(file.Get(), existing.st_mode & kPermissionBits) != 0) {
        return fail(errno);
    }
    int writeError = 0;
    const ByteSink sink = [&file, &writeError](std::string_view piece) {
        if (!WriteAll(file.Get(), piece)) {
            writeError = errno;
            return false;
        }
        return true;
    };
    if (!produce(sink)) {
        return fail(writeError != 0 ? writeError : EIO);
    }
    if (::fsync(file.Get()) != 0) {
        return fail(errno);
    }
    if (!file.Close()) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    return true;
}

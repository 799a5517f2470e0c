#include "TestPlatform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testplatform {

bool MakeFifo(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

bool IsFifo(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

std::shared_ptr<void> HoldAsWriter(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return nullptr;
    }
    if (::flock(fd, LOCK_EX) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::shared_ptr<void>(new int(fd), [](void* held) {
        ::close(*static_cast<int*>(held));
        delete static_cast<int*>(held);
    });
}

bool SwapNames(const std::filesystem::path& a, const std::filesystem::path& b) {
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

void KnockAsWriter(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
    }
}

}  // namespace testplatform

#include "channel/KeyboardLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace z9rt {

// Where the program first ran, the keyboard was opened with a share mode that refused a second
// writer; here an exclusive lock on the hidraw node stands in for it.
KeyboardLock::KeyboardLock(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy_ = errno == EWOULDBLOCK;
        close(fd);
        return;
    }
    handle_ = fd;
}

KeyboardLock::~KeyboardLock() {
    if (handle_ >= 0) {
        close(static_cast<int>(handle_));
    }
}

}  // namespace z9rt

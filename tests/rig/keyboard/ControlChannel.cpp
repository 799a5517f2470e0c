#include "ControlChannel.h"

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace rig {
namespace {

bool AddressOf(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

sockaddr* Generic(sockaddr_un& address) {
    return reinterpret_cast<sockaddr*>(&address);
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;  // the other side went away: nobody is left to tell
        }
        done += static_cast<std::size_t>(written);
    }
}

}  // namespace

ControlServer::ControlServer(const std::string& path) : path_(path) {
    sockaddr_un address;
    if (!AddressOf(path, address)) {
        return;
    }
    (void)unlink(path.c_str());  // a socket left by an earlier run
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ >= 0 && (bind(fd_, Generic(address), sizeof address) != 0 || listen(fd_, 4) != 0)) {
        close(fd_);
        fd_ = -1;
    }
}

ControlServer::~ControlServer() {
    if (fd_ >= 0) {
        close(fd_);
        (void)unlink(path_.c_str());
    }
}

int ControlServer::Accept(std::string& command) {
    const int connection = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
        return -1;
    }
    command.clear();
    char byte = 0;
    while (read(connection, &byte, 1) == 1 && byte != '\n') {
        command += byte;
    }
    return connection;
}

void ControlServer::Answer(int connection, const std::string& text) {
    WriteAll(connection, text + "\n");
    close(connection);
}

int SendControlCommand(const std::string& path, const std::string& command) {
    sockaddr_un address;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || !AddressOf(path, address) || connect(fd, Generic(address), sizeof address) != 0) {
        std::fprintf(stderr, "%s: no gadget keyboard listens there\n", path.c_str());
        if (fd >= 0) {
            close(fd);
        }
        return 1;
    }
    WriteAll(fd, command + "\n");
    std::string answer;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    std::fputs(answer.c_str(), stdout);
    return answer.rfind("ok", 0) == 0 ? 0 : 1;
}

}  // namespace rig

// How a scenario tells a running gadget keyboard what to do: a Unix socket that takes one
// command line per connection and answers "ok ..." or "error: ...", then more lines if the
// command has more to say, then closes.
#pragma once

#include <string>

namespace rig {

class ControlServer {
public:
    // Listens on `path` (replacing a stale socket there); Fd() is negative when it cannot.
    explicit ControlServer(const std::string& path);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    int Fd() const { return fd_; }
    // Takes the next command: the connection stays open for the answer (negative when none).
    int Accept(std::string& command);
    static void Answer(int connection, const std::string& text);

private:
    std::string path_;
    int fd_ = -1;
};

// Sends one command and prints the answer; the exit status of "ctl": 0 for "ok", 1 else.
int SendControlCommand(const std::string& path, const std::string& command);

}  // namespace rig

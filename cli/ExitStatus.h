// How the tool ends, and the one way a command reports that it cannot go on.
#pragma once

#include <stdexcept>
#include <string>

namespace z9rt::cli {

enum class ExitStatus : int {
    Success = 0,
    DeviceFailure = 1,  // the keyboard is missing, busy, or a transfer failed
    Different = 1,      // diff: the two configurations differ
    Usage = 2,          // wrong usage
    FileRefused = 3,    // a file that cannot be read or written, is not a profile, is another
                        // model's profile, or is a bad firmware file
};

// Thrown by a command that cannot go on; main() prints the message as one line on standard
// error and exits with the status.
class CommandFailure : public std::runtime_error {
public:
    CommandFailure(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus Status() const { return status_; }

private:
    ExitStatus status_;
};

}  // namespace z9rt::cli

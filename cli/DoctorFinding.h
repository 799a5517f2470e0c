// What `doctor` answers, one finding a line, and the processes it names.
#pragma once

#include <string>

namespace z9rt::cli {

// A process with the node open.
struct Holder {
    int pid = 0;
    std::string name;  // its command name, "" when it cannot be read
};
// One line of the doctor's answer.
struct Finding {
    bool problem = false;  // false: a fact worth knowing that keeps nothing from working
    std::string id;        // stable, for --json: "no-usb-device", "no-access", ...
    std::string text;
    std::string fix;  // "" when there is nothing to do
};

}  // namespace z9rt::cli

// The hook's key source on Linux: every keyboard event device under a directory (normally
// /dev/input), grabbed exclusively so that no other program sees the keystrokes, read on a
// thread of its own until the source is destroyed.
#pragma once

#include "hook/KeySource.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace z9rt {

class EvdevKeySource final : public KeySource {
public:
    // Opens and grabs every keyboard under `directory` and starts reading; null when not one
    // keyboard could be opened and grabbed.
    static std::unique_ptr<EvdevKeySource> Start(const std::string& directory, Sink sink);

    // Stops the thread, releases the grabs and closes the devices.
    ~EvdevKeySource() override;
    EvdevKeySource(const EvdevKeySource&) = delete;
    EvdevKeySource& operator=(const EvdevKeySource&) = delete;

private:
    EvdevKeySource(std::vector<int> devices, int wakeFd, Sink sink);
    void Run();

    std::vector<int> devices_;  // grabbed event devices
    int wakeFd_;                // an eventfd that tells the thread to stop
    Sink sink_;
    std::thread thread_;
};

}  // namespace z9rt

// The hook's key source: reads the keystrokes of every keyboard on a thread of its own and
// keeps them from every other program for as long as it runs. Each platform has its own:
// EvdevKeySource on Linux, LowLevelKeySource on Windows.
#pragma once

#include "hook/KeyEventTranslator.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace z9rt {

class KeySource {
public:
    // Keystrokes as Linux key codes, whatever the platform, so that one translator serves all.
    using Sink = std::function<void(int linuxCode, KeyAction action, std::uint32_t timeMs)>;

    KeySource() = default;
    virtual ~KeySource() = default;  // stops the thread and lets the keystrokes go again
    KeySource(const KeySource&) = delete;
    KeySource& operator=(const KeySource&) = delete;
};

// Starts the platform's key source on the keyboards `where` names (Linux: a directory of event
// devices); null when none could be taken.
std::unique_ptr<KeySource> StartKeySource(const std::string& where, KeySource::Sink sink);

}  // namespace z9rt

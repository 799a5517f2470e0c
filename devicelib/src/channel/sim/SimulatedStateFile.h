// The simulated keyboard's memory as a hand-editable text file (Z9RT_SIM_STATE):
//
//   model M                one of 1..4
//   light K R G B          the colour of key K (1..82), each component 0..255
//   counter K N            the press counter of key K, 0..4294967295
//   record L K XX XX ...   one key record of layer number L (1..3) and key K: up to 64 bytes in
//                          hex; bytes left out at the end are 0. The record lines of one slot
//                          are its records in order (a long macro has several).
//   firmware-lines N       firmware lines taken so far
//   firmware-refused N     firmware lines refused for a bad checksum
//
// Blank lines and lines starting with "#" are ignored. What the file does not mention keeps
// its factory value, so an empty file is a factory-fresh keyboard.
#pragma once

#include "channel/sim/SimulatedMemory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z9rt::sim {

std::string FormatState(const KeyboardMemory& memory);

// The bad lines a parse keeps word of; the rest are only counted.
constexpr std::size_t kBadLinesNamed = 10;

struct ParsedState {
    KeyboardMemory memory;
    // "line N: what is wrong" for the first kBadLinesNamed bad lines; all bad lines are skipped.
    std::vector<std::string> errors;
    std::size_t badLineCount = 0;
};

// Reads a state text. The model is `forcedModel` when given, else the file's, else 1.
ParsedState ParseState(std::string_view text, std::optional<int> forcedModel);

// The largest state file read. The library writes a few tens of kilobytes for a keyboard
// (some megabytes were every key a long macro); anything far beyond is not a state file.
constexpr std::size_t kLargestStateFile = std::size_t{64} << 20;

// Reading a state file: only a regular file (never a FIFO or a device, which could block or
// never end) of at most kLargestStateFile bytes.
struct StateFileRead {
    enum class Outcome { Read, Missing, Refused };
    Outcome outcome = Outcome::Missing;
    std::string text;    // Read: the file's content
    std::string reason;  // Refused: why, e.g. "not a regular file"
};
StateFileRead ReadStateFile(const std::string& path);

// The file as the system describes it, to tell whether another process changed it since it
// was last read or written; nothing when it is missing.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedSeconds = 0;
    long long modifiedNanoseconds = 0;
    bool operator==(const FileIdentity& other) const;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Replaces the file whole; false when it cannot be written. Only under a StateFileLock: the
// new content goes to a temporary file of a fixed name beside it, which a writer killed
// half-way leaves for the next writer to take over.
bool WriteTextFile(const std::string& path, const std::string& text);

// Holds the state file locked from reading it to writing it, so that two processes
// that change the keyboard at the same time both keep their change. A missing file is created
// empty first (an empty file is a factory-fresh keyboard), so that there is one to lock.
// Writing renames a new file over the old one, so the lock is taken again until the name
// leads to the file locked.
class StateFileLock {
public:
    // Locks the file at `path`; Held() is false, with `reason`, when it cannot.
    StateFileLock(const std::string& path, std::string& reason);
    ~StateFileLock();
    StateFileLock(const StateFileLock&) = delete;
    StateFileLock& operator=(const StateFileLock&) = delete;

    bool Held() const { return handle_ != -1; }

private:
    std::intptr_t handle_ = -1;  // the platform's handle of the locked file, -1 for none
};

// What another process wrote (`theirs`) with this process's changes since `base` on top: a key
// slot, a colour byte or a counter that changed here since `base` is taken from `ours`, the
// rest from `theirs`; firmware lines taken here since `base` are added to theirs.
KeyboardMemory MergeState(const KeyboardMemory& base, const KeyboardMemory& ours,
                          const KeyboardMemory& theirs);

}  // namespace z9rt::sim

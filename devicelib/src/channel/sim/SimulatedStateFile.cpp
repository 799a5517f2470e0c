#include "channel/sim/SimulatedStateFile.h"

#include "keydefine/KeyRecord.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace z9rt::sim {
namespace {

constexpr char kHeader[] =
    "# Simulated keyboard memory; see the README for the format. Lines:\n"
    "#   model M | light KEY R G B | counter KEY N | record LAYER KEY HEX... |\n"
    "#   firmware-lines N | firmware-refused N\n";

std::string HexBytes(const Payload& payload) {
    std::size_t used = payload.size();
    while (used > 0 && payload[used - 1] == 0) {
        --used;
    }
    std::string text;
    char byte[4];
    for (std::size_t index = 0; index < used; ++index) {
        std::snprintf(byte, sizeof byte, " %02x", payload[index]);
        text += byte;
    }
    return text;
}

bool IsHexByte(const std::string& word) {
    return !word.empty() && word.size() <= 2 &&
           word.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// Reads whole decimal numbers from a line, each checked against its range.
class LineFields {
public:
    explicit LineFields(const std::string& rest) : stream_(rest) {}

    bool Number(long long low, long long high, long long& value) {
        std::string word;
        if (!(stream_ >> word) || word.find_first_not_of("0123456789") != std::string::npos ||
            word.size() > 12) {
            return false;
        }
        value = std::stoll(word);
        return value >= low && value <= high;
    }

    bool Word(std::string& word) { return static_cast<bool>(stream_ >> word); }

    bool AtEnd() {
        std::string word;
        return !(stream_ >> word);
    }

private:
    std::istringstream stream_;
};

struct Parser {
    ParsedState state;
    std::array<bool, kSlotCount> slotMentioned{};

    // One line; false with `why` set when it cannot be used.
    bool Line(const std::string& keyword, const std::string& rest, std::string& why) {
        LineFields fields(rest);
        long long a = 0, b = 0, c = 0, d = 0;
        KeyboardMemory& memory = state.memory;
        if (keyword == "model") {
            return fields.Number(kFirstModel, kLastModel, a) && fields.AtEnd();  // read earlier
        }
        if (keyword == "light") {
            if (!fields.Number(kFirstKey, kLastKey, a) || !fields.Number(0, 255, b) ||
                !fields.Number(0, 255, c) || !fields.Number(0, 255, d) || !fields.AtEnd()) {
                why = "expected: light KEY(1-82) RED GREEN BLUE (0-255)";
                return false;
            }
            const std::size_t at = static_cast<std::size_t>(a - kFirstKey) * 3;
            memory.light[at] = static_cast<std::uint8_t>(b);
            memory.light[at + 1] = static_cast<std::uint8_t>(c);
            memory.light[at + 2] = static_cast<std::uint8_t>(d);
            return true;
        }
        if (keyword == "counter") {
            if (!fields.Number(kFirstKey, kLastKey, a) || !fields.Number(0, 0xFFFFFFFFLL, b) ||
                !fields.AtEnd()) {
                why = "expected: counter KEY(1-82) COUNT";
                return false;
            }
            memory.counters[static_cast<std::size_t>(a - kFirstKey)] =
                static_cast<std::uint32_t>(b);
            return true;
        }
        if (keyword == "record") {
            Payload payload{};
            if (!fields.Number(kFirstLayerNumber, kLastLayerNumber, a) ||
                !fields.Number(kFirstKey, kLastKey, b)) {
                why = "expected: record LAYER(1-3) KEY(1-82) HEX-BYTES";
                return false;
            }
            std::size_t count = 0;
            std::string word;
            while (fields.Word(word)) {
                if (count == payload.size() || !IsHexByte(word)) {
                    why = "a record is up to 64 bytes of two hex digits each";
                    return false;
                }
                payload[count++] = static_cast<std::uint8_t>(std::stoi(word, nullptr, 16));
            }
            const std::size_t slot =
                static_cast<std::size_t>(SlotOf(static_cast<int>(a), static_cast<int>(b)));
            if (!slotMentioned[slot]) {
                memory.keyRecords[slot].clear();
                slotMentioned[slot] = true;
            }
            memory.keyRecords[slot].push_back(payload);
            return true;
        }
        if (keyword == "firmware-lines" || keyword == "firmware-refused") {
            if (!fields.Number(0, 1000000000, a) || !fields.AtEnd()) {
                why = "expected: " + keyword + " COUNT";
                return false;
            }
            (keyword == "firmware-lines" ? memory.firmwareLinesAccepted
                                         : memory.firmwareLinesRefused) = static_cast<long>(a);
            return true;
        }
        why = "unknown line \"" + keyword + "\"";
        return false;
    }
};

// Splits a line into its keyword and the rest; false for blank and comment lines.
bool SplitLine(const std::string& line, std::string& keyword, std::string& rest) {
    std::istringstream stream(line);
    if (!(stream >> keyword) || keyword[0] == '#') {
        return false;
    }
    std::getline(stream, rest);
    return true;
}

std::optional<int> ModelLine(std::string_view text) {
    std::istringstream lines{std::string(text)};
    std::string line, keyword, rest;
    while (std::getline(lines, line)) {
        long long model = 0;
        if (SplitLine(line, keyword, rest) && keyword == "model" &&
            LineFields(rest).Number(kFirstModel, kLastModel, model)) {
            return static_cast<int>(model);
        }
    }
    return std::nullopt;
}

// Reads the rest of `fd` into `text`, at most one byte beyond kLargestStateFile (the size is
// a hint only: the file may grow while it is read). False, with `reason`, when a read fails.
bool ReadAtMost(int fd, std::size_t sizeHint, std::string& text, std::string& reason) {
    text.assign(std::min(sizeHint, kLargestStateFile) + 1, '\0');
    std::size_t filled = 0;
    while (filled <= kLargestStateFile) {
        if (filled == text.size()) {
            text.resize(std::min(text.size() * 2, kLargestStateFile + 1));
        }
        const ssize_t count = ::read(fd, text.data() + filled, text.size() - filled);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            reason = std::strerror(errno);
            return false;
        }
        filled += static_cast<std::size_t>(count);
    }
    text.resize(filled);
    return true;
}

}  // namespace

std::string FormatState(const KeyboardMemory& memory) {
    std::ostringstream text;
    text << kHeader << "model " << memory.model << '\n';
    for (int key = kFirstKey; key <= kLastKey; ++key) {
        const std::size_t at = static_cast<std::size_t>(key - kFirstKey) * 3;
        text << "light " << key << ' ' << int{memory.light[at]} << ' ' << int{memory.light[at + 1]}
             << ' ' << int{memory.light[at + 2]} << '\n';
    }
    for (int key = kFirstKey; key <= kLastKey; ++key) {
        text << "counter " << key << ' ' << memory.counters[static_cast<std::size_t>(key - 1)]
             << '\n';
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (const Payload& payload : memory.keyRecords[static_cast<std::size_t>(slot)]) {
            text << "record " << LayerNumberOfSlot(slot) << ' ' << KeyOfSlot(slot)
                 << HexBytes(payload) << '\n';
        }
    }
    text << "firmware-lines " << memory.firmwareLinesAccepted << '\n';
    text << "firmware-refused " << memory.firmwareLinesRefused << '\n';
    return text.str();
}

ParsedState ParseState(std::string_view text, std::optional<int> forcedModel) {
    Parser parser;
    parser.state.memory = FactoryMemory(forcedModel.value_or(ModelLine(text).value_or(1)));
    std::istringstream lines{std::string(text)};
    std::string line, keyword, rest, why;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!SplitLine(line, keyword, rest)) {
            continue;
        }
        why = "expected: model 1-4";
        if (!parser.Line(keyword, rest, why) && ++parser.state.badLineCount <= kBadLinesNamed) {
            parser.state.errors.push_back("line " + std::to_string(number) + ": " + why);
        }
    }
    return parser.state;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    // Written beside the file and renamed over it, so that a process reading the state at the
    // same moment never sees half a file. Writers take turns (StateFileLock), so one name for
    // the new file is enough, and one left by a killed writer is simply written over.
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush()) {
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

StateFileLock::StateFileLock(const std::string& path, std::string& reason) {
    while (true) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            // Created empty if nobody else creates it first; either way there is a file now.
            const int created =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (created < 0 && errno != EEXIST) {
                reason = std::strerror(errno);
                return;
            }
            if (created >= 0) {
                static_cast<void>(::close(created));  // empty; nothing to lose
            }
            continue;
        }
        if (fd < 0) {
            reason = std::strerror(errno);
            return;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            reason = "not a regular file";
            static_cast<void>(::close(fd));
            return;
        }
        if (::flock(fd, LOCK_EX) == 0 && ::stat(path.c_str(), &named) == 0 &&
            named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
            fd_ = fd;
            return;
        }
        static_cast<void>(::close(fd));  // replaced meanwhile: lock what the name leads to now
    }
}

StateFileLock::~StateFileLock() {
    if (fd_ >= 0) {
        static_cast<void>(::close(fd_));  // only locked, never written through
    }
}

KeyboardMemory MergeState(const KeyboardMemory& base, const KeyboardMemory& ours,
                          const KeyboardMemory& theirs) {
    KeyboardMemory merged = theirs;
    if (ours.model != base.model) {
        merged.model = ours.model;
    }
    for (std::size_t slot = 0; slot < merged.keyRecords.size(); ++slot) {
        if (ours.keyRecords[slot] != base.keyRecords[slot]) {
            merged.keyRecords[slot] = ours.keyRecords[slot];
        }
    }
    for (std::size_t byte = 0; byte < merged.light.size(); ++byte) {
        if (ours.light[byte] != base.light[byte]) {
            merged.light[byte] = ours.light[byte];
        }
    }
    for (std::size_t key = 0; key < merged.counters.size(); ++key) {
        if (ours.counters[key] != base.counters[key]) {
            merged.counters[key] = ours.counters[key];
        }
    }
    merged.firmwareLinesAccepted += ours.firmwareLinesAccepted - base.firmwareLinesAccepted;
    merged.firmwareLinesRefused += ours.firmwareLinesRefused - base.firmwareLinesRefused;
    if (ours.firmwareLines.size() > base.firmwareLines.size()) {
        merged.firmwareLines.insert(
            merged.firmwareLines.end(),
            ours.firmwareLines.begin() + static_cast<std::ptrdiff_t>(base.firmwareLines.size()),
            ours.firmwareLines.end());
    }
    return merged;
}

StateFileRead ReadStateFile(const std::string& path) {
    StateFileRead result;
    // Opened without waiting, so that a FIFO without a writer cannot hold the keyboard up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.outcome =
            errno == ENOENT ? StateFileRead::Outcome::Missing : StateFileRead::Outcome::Refused;
        result.reason = std::strerror(errno);
        return result;
    }
    result.outcome = StateFileRead::Outcome::Refused;
    const std::string tooLarge = "larger than " + std::to_string(kLargestStateFile >> 20) + " MiB";
    struct stat status {};
    std::string text;
    if (::fstat(fd, &status) != 0) {
        result.reason = std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        result.reason = "not a regular file";
    } else if (static_cast<std::uint64_t>(status.st_size) > kLargestStateFile) {
        result.reason = tooLarge;
    } else if (!ReadAtMost(fd, static_cast<std::size_t>(status.st_size), text, result.reason)) {
        // The reason is set.
    } else if (text.size() > kLargestStateFile) {
        result.reason = tooLarge;  // it grew while it was read
    } else {
        result.outcome = StateFileRead::Outcome::Read;
        result.text = std::move(text);
    }
    // Only read from: closing cannot lose anything.
    static_cast<void>(::close(fd));
    return result;
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<unsigned long long>(status.st_dev),
                        static_cast<unsigned long long>(status.st_ino),
                        static_cast<long long>(status.st_size),
                        static_cast<long long>(status.st_mtim.tv_sec),
                        static_cast<long long>(status.st_mtim.tv_nsec)};
}

}  // namespace z9rt::sim

#include "channel/sim/SimulatedStateFile.h"

#include "keydefine/KeyRecord.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

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

bool FileIdentity::operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

}  // namespace z9rt::sim

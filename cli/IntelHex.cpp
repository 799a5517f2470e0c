#include "IntelHex.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace z9rt::cli {
namespace {

// Record layout: ':' LL AAAA TT DD... CC, in hexadecimal digit pairs.
constexpr char kRecordStart = ':';
constexpr std::size_t kHeaderBytes = 4;  // byte count, address (2), record type
constexpr std::size_t kChecksumBytes = 1;
constexpr int kTypeData = 0x00;
constexpr int kTypeEndOfFile = 0x01;
constexpr int kTypeLast = 0x05;              // start linear address; 02..05 are the address records
constexpr std::size_t kMaxRecordBytes = 62;  // what one firmware report carries after its command

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// Decodes the digit pairs after the colon; empty optional when a character is not a digit or
// the digits do not pair up.
std::optional<std::vector<std::uint8_t>> DecodePairs(std::string_view digits) {
    if (digits.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        auto high = HexDigit(digits[i]);
        auto low = HexDigit(digits[i + 1]);
        if (!high || !low)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*high * 16 + *low));
    }
    return bytes;
}

std::string LineProblem(int lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

// Checks one record; returns an empty string when it is sound, else the problem.
std::string CheckRecord(std::string_view line, int& recordType) {
    if (line.empty() || line.front() != kRecordStart)
        return "does not start with ':'";
    auto bytes = DecodePairs(line.substr(1));
    if (!bytes)
        return "holds a character that is not a hexadecimal digit pair";
    if (bytes->size() < kHeaderBytes + kChecksumBytes)
        return "is too short for a record";
    if (bytes->size() > kMaxRecordBytes)
        return "is longer than one firmware report can carry";
    const std::size_t dataLength = (*bytes)[0];
    if (bytes->size() != kHeaderBytes + dataLength + kChecksumBytes) {
        return "its byte count " + std::to_string(dataLength) + " does not match its length";
    }
    unsigned sum = 0;
    for (std::uint8_t byte : *bytes)
        sum += byte;
    if (sum % 256 != 0)
        return "checksum is wrong";
    recordType = (*bytes)[3];
    if (recordType > kTypeLast)
        return "unknown record type " + std::to_string(recordType);
    if (recordType == kTypeEndOfFile && dataLength != 0)
        return "end-of-file record carries data";
    return {};
}

}  // namespace

IntelHexCheck CheckIntelHex(std::string_view text) {
    IntelHexCheck result;
    bool endSeen = false;
    int lineNumber = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find_first_of("\r\n", position);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(position, end - position);
        // One line end: CR LF, CR or LF.
        position = end;
        if (position < text.size() && text[position] == '\r')
            ++position;
        if (position < text.size() && text[position] == '\n')
            ++position;
        ++lineNumber;

        if (line.empty()) {
            // Blank lines after the end-of-file record are harmless; before it the download
            // would stop at the blank line and leave the keyboard with half a firmware.
            if (!endSeen) {
                result.problem = LineProblem(lineNumber, "is empty before the end-of-file record");
                return result;
            }
            continue;
        }
        if (endSeen) {
            result.problem = LineProblem(lineNumber, "follows the end-of-file record");
            return result;
        }
        int recordType = kTypeData;
        std::string problem = CheckRecord(line, recordType);
        if (!problem.empty()) {
            result.problem = LineProblem(lineNumber, problem);
            return result;
        }
        ++result.recordCount;
        result.normalizedText.append(line).append("\r\n");
        endSeen = recordType == kTypeEndOfFile;
    }
    if (!endSeen) {
        result.problem = result.recordCount == 0 ? "the file holds no records"
                                                 : "the file has no end-of-file record";
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace z9rt::cli

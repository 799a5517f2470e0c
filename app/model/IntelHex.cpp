#include "model/IntelHex.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

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

// Checks one record; HexProblem::None when it is sound. `detail` receives the number the
// problem names.
HexProblem CheckRecord(std::string_view line, int& recordType, int& detail) {
    if (line.empty() || line.front() != kRecordStart)
        return HexProblem::NoColon;
    auto bytes = DecodePairs(line.substr(1));
    if (!bytes)
        return HexProblem::NotHexPairs;
    if (bytes->size() < kHeaderBytes + kChecksumBytes)
        return HexProblem::TooShort;
    if (bytes->size() > kMaxRecordBytes)
        return HexProblem::TooLongForReport;
    const std::size_t dataLength = (*bytes)[0];
    if (bytes->size() != kHeaderBytes + dataLength + kChecksumBytes) {
        detail = static_cast<int>(dataLength);
        return HexProblem::CountMismatch;
    }
    unsigned sum = 0;
    for (std::uint8_t byte : *bytes)
        sum += byte;
    if (sum % 256 != 0)
        return HexProblem::BadChecksum;
    recordType = (*bytes)[3];
    if (recordType > kTypeLast) {
        detail = recordType;
        return HexProblem::UnknownType;
    }
    if (recordType == kTypeEndOfFile && dataLength != 0)
        return HexProblem::EndRecordCarriesData;
    return HexProblem::None;
}

IntelHexCheck Refused(IntelHexCheck result, HexProblem problem, int line, int detail = 0) {
    result.ok = false;
    result.problemKind = problem;
    result.line = line;
    result.detail = detail;
    result.problem = DescribeHexProblem(problem, line, detail);
    return result;
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
            if (!endSeen)
                return Refused(std::move(result), HexProblem::EmptyBeforeEnd, lineNumber);
            continue;
        }
        if (endSeen)
            return Refused(std::move(result), HexProblem::AfterEnd, lineNumber);
        int recordType = kTypeData;
        int detail = 0;
        const HexProblem problem = CheckRecord(line, recordType, detail);
        if (problem != HexProblem::None)
            return Refused(std::move(result), problem, lineNumber, detail);
        ++result.recordCount;
        result.normalizedText.append(line).append("\r\n");
        endSeen = recordType == kTypeEndOfFile;
    }
    if (!endSeen) {
        return Refused(std::move(result),
                       result.recordCount == 0 ? HexProblem::NoRecords : HexProblem::NoEndRecord,
                       0);
    }
    result.ok = true;
    return result;
}

std::string DescribeHexProblem(HexProblem problem, int line, int detail) {
    std::string what;
    switch (problem) {
        case HexProblem::None:
            return {};
        case HexProblem::NoRecords:
            return "the file holds no records";
        case HexProblem::NoEndRecord:
            return "the file has no end-of-file record";
        case HexProblem::NoColon:
            what = "does not start with ':'";
            break;
        case HexProblem::NotHexPairs:
            what = "holds a character that is not a hexadecimal digit pair";
            break;
        case HexProblem::TooShort:
            what = "is too short for a record";
            break;
        case HexProblem::TooLongForReport:
            what = "is longer than one firmware report can carry";
            break;
        case HexProblem::CountMismatch:
            what = "its byte count " + std::to_string(detail) + " does not match its length";
            break;
        case HexProblem::BadChecksum:
            what = "checksum is wrong";
            break;
        case HexProblem::UnknownType:
            what = "unknown record type " + std::to_string(detail);
            break;
        case HexProblem::EndRecordCarriesData:
            what = "end-of-file record carries data";
            break;
        case HexProblem::EmptyBeforeEnd:
            what = "is empty before the end-of-file record";
            break;
        case HexProblem::AfterEnd:
            what = "follows the end-of-file record";
            break;
    }
    return "line " + std::to_string(line) + ": " + what;
}

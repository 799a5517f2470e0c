#include "model/IntelHex.h"

#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace model {

namespace {

// Record layout: ':' LL AAAA TT DD... CC, in hexadecimal digit pairs.
constexpr char kRecordStart = ':';
constexpr std::size_t kHeaderBytes = 4;  // byte count, address (2), record type
constexpr std::size_t kChecksumBytes = 1;
constexpr int kTypeData = 0x00;
constexpr int kTypeEndOfFile = 0x01;
constexpr int kTypeSegmentBase = 0x02;   // extended segment address: bits 4..19 of the address
constexpr int kTypeSegmentStart = 0x03;  // start segment address (CS:IP)
constexpr int kTypeLinearBase = 0x04;    // extended linear address: bits 16..31 of the address
constexpr int kTypeLinearStart = 0x05;   // start linear address (EIP)
constexpr int kTypeLast = kTypeLinearStart;
constexpr std::size_t kBaseRecordLength = 2;   // data bytes of types 02 and 04
constexpr std::size_t kStartRecordLength = 4;  // data bytes of types 03 and 05
constexpr std::size_t kMaxRecordBytes = 62;    // what one firmware report carries after its command

// Byte positions in a decoded record.
constexpr std::size_t kLengthByte = 0;
constexpr std::size_t kAddressHigh = 1;
constexpr std::size_t kAddressLow = 2;
constexpr std::size_t kTypeByte = 3;
constexpr std::size_t kFirstDataByte = 4;

constexpr std::uint64_t kSegmentSize = 0x10000;
// Linear addresses are 32 bits: data running past them would wrap onto address 0.
constexpr std::uint64_t kAddressSpaceEnd = std::uint64_t{1} << 32;
constexpr int kSegmentShift = 4;
constexpr int kLinearShift = 16;

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

// What a sound record says.
struct Record {
    int type = kTypeData;
    std::uint64_t offset = 0;  // the address field
    std::size_t length = 0;    // data bytes
    std::uint64_t value = 0;   // an address record's data as one big-endian number
};

// The length an address record must have; 0 for the other types.
std::size_t AddressRecordLength(int type) {
    switch (type) {
        case kTypeSegmentBase:
        case kTypeLinearBase:
            return kBaseRecordLength;
        case kTypeSegmentStart:
        case kTypeLinearStart:
            return kStartRecordLength;
        default:
            return 0;
    }
}

// Checks one record; HexProblem::None when it is sound. `detail` receives the number the
// problem names.
HexProblem CheckRecord(std::string_view line, Record& record, int& detail) {
    if (line.empty() || line.front() != kRecordStart)
        return HexProblem::NoColon;
    auto bytes = DecodePairs(line.substr(1));
    if (!bytes)
        return HexProblem::NotHexPairs;
    if (bytes->size() < kHeaderBytes + kChecksumBytes)
        return HexProblem::TooShort;
    if (bytes->size() > kMaxRecordBytes)
        return HexProblem::TooLongForReport;
    const std::size_t dataLength = (*bytes)[kLengthByte];
    if (bytes->size() != kHeaderBytes + dataLength + kChecksumBytes) {
        detail = static_cast<int>(dataLength);
        return HexProblem::CountMismatch;
    }
    unsigned sum = 0;
    for (std::uint8_t byte : *bytes)
        sum += byte;
    if (sum % 256 != 0)
        return HexProblem::BadChecksum;
    const int recordType = (*bytes)[kTypeByte];
    if (recordType > kTypeLast) {
        detail = recordType;
        return HexProblem::UnknownType;
    }
    if (recordType == kTypeEndOfFile && dataLength != 0)
        return HexProblem::EndRecordCarriesData;
    const std::size_t addressLength = AddressRecordLength(recordType);
    if (addressLength != 0 && dataLength != addressLength) {
        detail = recordType;
        return HexProblem::AddressRecordLength;
    }
    record.type = recordType;
    record.offset = static_cast<std::uint64_t>((*bytes)[kAddressHigh]) << 8 | (*bytes)[kAddressLow];
    record.length = dataLength;
    record.value = 0;
    for (std::size_t i = 0; i < addressLength; ++i)
        record.value = record.value << 8 | (*bytes)[kFirstDataByte + i];
    return HexProblem::None;
}

// The addresses the data records have written so far, as disjoint ranges [first, end) merged
// where they touch, so that a firmware written front to back keeps a single range.
class WrittenAddresses {
public:
    // Adds a range; false, adding nothing, when part of it was written before.
    bool Add(std::uint64_t first, std::uint64_t end) {
        auto next = ranges_.upper_bound(first);
        if (next != ranges_.end() && next->first < end)
            return false;
        if (next != ranges_.begin()) {
            auto previous = std::prev(next);
            if (previous->second > first)
                return false;
            if (previous->second == first) {
                first = previous->first;
                ranges_.erase(previous);
            }
        }
        if (next != ranges_.end() && next->first == end) {
            end = next->second;
            ranges_.erase(next);
        }
        ranges_.emplace(first, end);
        return true;
    }

private:
    std::map<std::uint64_t, std::uint64_t> ranges_;  // first -> end
};

// Where the data records of a file land: the extended address records move the base, and the
// data of each data record must land inside the 32-bit address space, on addresses no earlier
// record wrote.
class FirmwareImage {
public:
    // Takes a sound record; HexProblem::None when its data has a place of its own.
    HexProblem Take(const Record& record) {
        switch (record.type) {
            case kTypeSegmentBase:
                base_ = record.value << kSegmentShift;
                segmented_ = true;
                return HexProblem::None;
            case kTypeLinearBase:
                base_ = record.value << kLinearShift;
                segmented_ = false;
                return HexProblem::None;
            case kTypeData:
                return record.length == 0 ? HexProblem::None
                                          : TakeData(record.offset, record.length);
            default:
                return HexProblem::None;
        }
    }
    bool HoldsData() const { return holdsData_; }

private:
    HexProblem TakeData(std::uint64_t offset, std::uint64_t length) {
        holdsData_ = true;
        const std::uint64_t end = offset + length;
        // With segment addressing the offset wraps within its 64 KiB segment (which always
        // lies below 1 MiB + 64 KiB).
        if (segmented_ && end > kSegmentSize) {
            return written_.Add(base_ + offset, base_ + kSegmentSize) &&
                           written_.Add(base_, base_ + (end - kSegmentSize))
                       ? HexProblem::None
                       : HexProblem::OverlappingData;
        }
        if (base_ + end > kAddressSpaceEnd) {
            return HexProblem::BeyondAddressSpace;
        }
        return written_.Add(base_ + offset, base_ + end) ? HexProblem::None
                                                         : HexProblem::OverlappingData;
    }

    std::uint64_t base_ = 0;
    bool segmented_ = false;
    bool holdsData_ = false;
    WrittenAddresses written_;
};

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
    FirmwareImage image;
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
        Record record;
        int detail = 0;
        const HexProblem problem = CheckRecord(line, record, detail);
        if (problem != HexProblem::None)
            return Refused(std::move(result), problem, lineNumber, detail);
        if (const HexProblem placed = image.Take(record); placed != HexProblem::None)
            return Refused(std::move(result), placed, lineNumber);
        endSeen = record.type == kTypeEndOfFile;
        // An image without a byte would leave the keyboard with no firmware at all.
        if (endSeen && !image.HoldsData())
            return Refused(std::move(result), HexProblem::NoData, lineNumber);
        ++result.recordCount;
        result.normalizedText.append(line).append("\r\n");
    }
    if (!endSeen) {
        // Read before the result is moved: the arguments may be taken in any order.
        const HexProblem unfinished =
            result.recordCount == 0 ? HexProblem::NoRecords : HexProblem::NoEndRecord;
        return Refused(std::move(result), unfinished, 0);
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
        case HexProblem::NoData:
            what = "end-of-file record before any data";
            break;
        case HexProblem::AddressRecordLength:
            what = "record type " + std::to_string(detail) + " must carry " +
                   std::to_string(AddressRecordLength(detail)) + " bytes";
            break;
        case HexProblem::OverlappingData:
            what = "its data overlaps data written earlier in the file";
            break;
        case HexProblem::BeyondAddressSpace:
            what = "its data runs past the 4 GiB address space";
            break;
    }
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace model

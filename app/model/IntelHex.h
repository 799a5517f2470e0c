// Checks a firmware file as a whole before a single report is sent: every line must be a
// well-formed Intel HEX record with the right checksum, the file must end with an end-of-file
// record, hold some data, and never write an address twice. The keyboard takes lines as they come
// and cannot refuse a bad one, so a file that fails here must never reach it. The command-line tool
// and the firmware window share this check; each says what is wrong in its own words from
// `problemKind`.
#pragma once

#include <string>
#include <string_view>

namespace model {

// What is wrong with a firmware file.
enum class HexProblem {
    None,
    NoColon,           // a line does not start with ':'
    NotHexPairs,       // a character that is not a hexadecimal digit, or an odd digit count
    TooShort,          // fewer bytes than a record's header and checksum
    TooLongForReport,  // more bytes than one firmware report carries
    CountMismatch,     // the byte count does not match the record's length (detail: the count)
    BadChecksum,
    UnknownType,  // detail: the record type
    EndRecordCarriesData,
    EmptyBeforeEnd,       // a blank line before the end-of-file record
    AfterEnd,             // a record after the end-of-file record
    NoRecords,            // the file holds nothing
    NoEndRecord,          // the file ends without an end-of-file record
    NoData,               // the end-of-file record comes before any data byte
    AddressRecordLength,  // an address record of the wrong length (detail: the record type)
    OverlappingData,      // data for addresses an earlier record already wrote
    BeyondAddressSpace,   // data for addresses at or past 4 GiB (where it would wrap to 0)
};

struct IntelHexCheck {
    bool ok = false;
    HexProblem problemKind = HexProblem::None;
    int line = 0;         // the line the problem is on, from 1; 0 for a problem of the whole file
    int detail = 0;       // the number a problem names (a byte count, a record type)
    std::string problem;  // the problem in English, with its line, when !ok
    int recordCount = 0;  // records found, the end-of-file record included
    // The records as the keyboard's download expects them: one per line, each ended by CR LF,
    // whatever line ends the file used.
    std::string normalizedText;
};

IntelHexCheck CheckIntelHex(std::string_view fileContent);

// The problem in English: "line 3: checksum is wrong", "the file has no end-of-file record".
std::string DescribeHexProblem(HexProblem problem, int line, int detail);

}  // namespace model

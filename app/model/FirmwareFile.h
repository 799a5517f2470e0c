// Reading a firmware file for a download. The file is read whole and judged before the keyboard
// hears a single report: the keyboard takes lines as they come and cannot refuse a bad one, so
// only a file that passes here may reach it. The command-line tool and the firmware window both
// read firmware through this, each saying what is wrong in its own words.
#pragma once

#include "model/IntelHex.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace model {

// The largest firmware file taken. The keyboards' controllers hold at most 1 MiB of program
// flash; as Intel HEX text in 16-byte records that is about 2.8 MiB (45 characters carry 16
// bytes), plus the address records. 4 MiB leaves room for that and refuses anything larger
// before it is read.
constexpr std::uintmax_t kLargestFirmwareFile = 4u * 1024 * 1024;

// Why a firmware file was not taken.
enum class FirmwareFileProblem {
    None,
    CannotOpen,      // missing, unreadable, or a read error (`reason` says which)
    NotRegularFile,  // a folder, a named pipe, a device...: refused without reading from it
    TooLarge,        // more than kLargestFirmwareFile bytes (`size` says how many)
    BadRecords,      // read whole, but not sound Intel HEX (`check` says where)
};

struct FirmwareFile {
    FirmwareFileProblem problem = FirmwareFileProblem::None;
    std::string reason;       // the system's words for CannotOpen
    std::uintmax_t size = 0;  // the file's size in bytes, when known
    IntelHexCheck check;      // the records; check.normalizedText is what the keyboard receives

    bool ok() const { return problem == FirmwareFileProblem::None; }
};

// Reads and checks the firmware file at `path`. Only a regular file is opened at all, so a
// named pipe or a device never blocks the caller and never feeds it endless bytes.
FirmwareFile ReadFirmwareFile(const std::filesystem::path& path);

}  // namespace model

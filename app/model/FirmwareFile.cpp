#include "model/FirmwareFile.h"

#include "profile/FileAccess.h"

using profile::FileRead;
using profile::ReadRegularFile;

namespace model {

FirmwareFile ReadFirmwareFile(const std::filesystem::path& path) {
    // Opened once and judged by what was opened: a file swapped for a named pipe after a look
    // at its name can neither block the read nor slip past the check.
    FileRead read = ReadRegularFile(path, kLargestFirmwareFile);
    FirmwareFile file;
    file.size = read.size;
    switch (read.problem) {
        case FileRead::Problem::None:
            break;
        case FileRead::Problem::CannotOpen: {
            // The system's words without the path, which the callers name themselves.
            const std::string prefix = path.string() + ": ";
            file.problem = FirmwareFileProblem::CannotOpen;
            file.reason =
                read.whyNot.rfind(prefix, 0) == 0 ? read.whyNot.substr(prefix.size()) : read.whyNot;
            return file;
        }
        case FileRead::Problem::NotRegularFile:
            file.problem = FirmwareFileProblem::NotRegularFile;
            return file;
        case FileRead::Problem::TooLarge:
            file.problem = FirmwareFileProblem::TooLarge;
            return file;
    }
    file.check = CheckIntelHex(read.bytes);
    if (!file.check.ok) {
        file.problem = FirmwareFileProblem::BadRecords;
    }
    return file;
}

}  // namespace model

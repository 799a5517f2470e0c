#include "model/FirmwareFile.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace {

// The system's words for the last failed call, or a plain one when it left none.
std::string LastSystemError(const char* fallback) {
    const int code = errno;
    return code != 0 ? std::generic_category().message(code) : fallback;
}

FirmwareFile Refused(FirmwareFileProblem problem, std::string reason = {}) {
    FirmwareFile file;
    file.problem = problem;
    file.reason = std::move(reason);
    return file;
}

}  // namespace

FirmwareFile ReadFirmwareFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return Refused(FirmwareFileProblem::CannotOpen, error.message());
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Refused(FirmwareFileProblem::NotRegularFile);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return Refused(FirmwareFileProblem::CannotOpen, error.message());
    }
    if (size > kLargestFirmwareFile) {
        FirmwareFile refused = Refused(FirmwareFileProblem::TooLarge);
        refused.size = size;
        return refused;
    }

    errno = 0;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return Refused(FirmwareFileProblem::CannotOpen, LastSystemError("cannot be opened"));
    }
    // Read in blocks up to one byte past the limit: a file that grew after it was measured
    // is still held to the limit, and is never cut short silently.
    constexpr std::size_t kBlock = 64 * 1024;
    std::string content;
    content.reserve(static_cast<std::size_t>(size));
    while (content.size() <= kLargestFirmwareFile) {
        const std::size_t start = content.size();
        content.resize(start + kBlock);
        errno = 0;
        stream.read(content.data() + start, static_cast<std::streamsize>(kBlock));
        content.resize(start + static_cast<std::size_t>(stream.gcount()));
        if (stream.bad()) {
            return Refused(FirmwareFileProblem::CannotOpen, LastSystemError("cannot be read"));
        }
        if (stream.eof()) {
            break;
        }
    }
    if (content.size() > kLargestFirmwareFile) {
        FirmwareFile refused = Refused(FirmwareFileProblem::TooLarge);
        refused.size = content.size();
        return refused;
    }

    FirmwareFile file;
    file.size = content.size();
    file.check = CheckIntelHex(content);
    if (!file.check.ok) {
        file.problem = FirmwareFileProblem::BadRecords;
    }
    return file;
}

// Checks a firmware file as a whole before a single report is sent: every line must be a
// well-formed Intel HEX record with the right checksum, and the file must end with an
// end-of-file record. The keyboard takes lines as they come and cannot refuse a bad one,
// so a file that fails here must never reach it.
#pragma once

#include <string>
#include <string_view>

namespace z9rt::cli {

struct IntelHexCheck {
    bool ok = false;
    std::string problem;  // what is wrong and on which line, when !ok
    int recordCount = 0;  // records found, the end-of-file record included
    // The records as the keyboard's download expects them: one per line, each ended by CR LF,
    // whatever line ends the file used.
    std::string normalizedText;
};

IntelHexCheck CheckIntelHex(std::string_view fileContent);

}  // namespace z9rt::cli

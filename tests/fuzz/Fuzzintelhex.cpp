// The Intel HEX check on any bytes: a refusal names its problem in the words
// DescribeHexProblem gives and a line the file has; a file it passes comes out as records of
// one firmware report each, every one ended by CR LF, which pass the check again unchanged.
#include "FuzzSupport.h"
#include "model/IntelHex.h"

#include <algorithm>
#include <string>

using model::CheckIntelHex;
using model::DescribeHexProblem;
using model::HexProblem;
using model::IntelHexCheck;

namespace {

using fuzzsupport::Require;

constexpr std::size_t kLongestRecordText = 1 + 2 * 62;  // ':' and 62 bytes as digit pairs

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const IntelHexCheck check = CheckIntelHex(text);
    if (!check.ok) {
        Require(check.problemKind != HexProblem::None);
        Require(!check.problem.empty());
        Require(check.problem == DescribeHexProblem(check.problemKind, check.line, check.detail));
        const auto lines = std::count(text.begin(), text.end(), '\n') +
                           std::count(text.begin(), text.end(), '\r') + 1;
        Require(check.line >= 0 && check.line <= lines);
        return 0;
    }
    Require(check.problemKind == HexProblem::None && check.recordCount > 0);
    std::size_t records = 0;
    for (std::size_t start = 0; start < check.normalizedText.size();) {
        const std::size_t end = check.normalizedText.find("\r\n", start);
        Require(end != std::string::npos);
        Require(check.normalizedText[start] == ':');
        Require(end - start <= kLongestRecordText);
        start = end + 2;
        ++records;
    }
    Require(records == static_cast<std::size_t>(check.recordCount));
    const IntelHexCheck again = CheckIntelHex(check.normalizedText);
    Require(again.ok && again.normalizedText == check.normalizedText &&
            again.recordCount == check.recordCount);
    return 0;
}

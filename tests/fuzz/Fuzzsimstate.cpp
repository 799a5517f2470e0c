// The simulated keyboard's state file on any text: reading it never fails badly, names at
// most the first few bad lines and counts them all, and the memory it gives writes out as a
// state file that reads back to the same memory without a bad line.
#include "FuzzSupport.h"
#include "channel/sim/SimulatedStateFile.h"

#include <string_view>

namespace {

using fuzzsupport::Require;

bool SameMemory(const z9rt::sim::KeyboardMemory& a, const z9rt::sim::KeyboardMemory& b) {
    return a.model == b.model && a.keyRecords == b.keyRecords && a.light == b.light &&
           a.counters == b.counters && a.firmwareLinesAccepted == b.firmwareLinesAccepted &&
           a.firmwareLinesRefused == b.firmwareLinesRefused;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const z9rt::sim::ParsedState parsed = z9rt::sim::ParseState(text, std::nullopt);
    Require(parsed.errors.size() <= z9rt::sim::kBadLinesNamed);
    Require(parsed.errors.size() == std::min(parsed.badLineCount, z9rt::sim::kBadLinesNamed));
    Require(parsed.memory.model >= z9rt::sim::kFirstModel &&
            parsed.memory.model <= z9rt::sim::kLastModel);

    const std::string written = z9rt::sim::FormatState(parsed.memory);
    const z9rt::sim::ParsedState again = z9rt::sim::ParseState(written, std::nullopt);
    Require(again.badLineCount == 0);
    Require(SameMemory(again.memory, parsed.memory));
    return 0;
}

// The faults the simulated keyboard can show, chosen with Z9RT_SIM_FAULT (or from a test):
// a comma-separated list of
//   busy            the keyboard is present but cannot be opened (another program holds it)
//   silent          reports can be written to it, but it neither acts on them nor answers
//   silent-after=N  it takes and answers N reports, then is silent (a keyboard that hangs in
//                   the middle of a conversation)
//   unplug-after=N  it takes N reports, then is gone: writes and reads fail, it no longer
//                   enumerates
//   drop=N          the Nth report it is sent is lost on the way: the keyboard neither acts on
//                   it nor answers it, and takes every other report (a write that lost one
//                   key record or colour chunk)
//   noise           a stray report comes between the reports of every stream
//   malformed       streams carry records and chunks the protocol does not define
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace z9rt::sim {

struct Faults {
    bool busy = false;
    bool silent = false;
    bool noise = false;
    bool malformed = false;
    std::optional<long> silentAfter;  // reports taken before the keyboard stops answering
    std::optional<long> unplugAfter;  // reports taken before the keyboard is gone
    std::optional<long> dropReport;   // the report (1 = the first) that is lost
};

// Parses a fault list; nothing (and `error` set) when a word is not a fault. Blank words are
// ignored, so "" is no fault at all.
std::optional<Faults> ParseFaults(std::string_view text, std::string& error);

}  // namespace z9rt::sim

// The report trace (Z9RT_HID_TRACE): a decorator around any connection that appends one line
// per report to a file, ">" for a report sent, "<" for one received, then the 64 payload bytes
// as lower-case hex separated by single blanks. A read that brings nothing is a line of its own
// ("! no report within 1000 ms", "! the read failed"), so that a trace shows every wait a
// keyboard that stopped answering cost. It works the same for both backends.
#pragma once

#include "channel/HidConnection.h"

#include <cstdio>
#include <memory>
#include <string>

namespace z9rt {

// One trace line without its newline, e.g. "> 00 f9 00 ...".
std::string TraceLine(char direction, const Payload& payload);
// The line of a read that brought no report.
std::string UnansweredReadLine(ReadOutcome outcome, int timeoutMs);

class TracingConnection final : public HidConnection {
public:
    // Takes the inner connection; `traceFile` is opened for appending.
    TracingConnection(std::unique_ptr<HidConnection> inner, const std::string& traceFile);
    ~TracingConnection() override;
    TracingConnection(const TracingConnection&) = delete;
    TracingConnection& operator=(const TracingConnection&) = delete;

    bool Write(const OutputReport& report) override;
    ReadOutcome Read(Payload& payload, int timeoutMs) override;

private:
    void Append(const std::string& text);

    std::unique_ptr<HidConnection> inner_;
    std::FILE* file_;  // null when the trace file cannot be opened: the reports still flow
};

}  // namespace z9rt

#include "channel/TracingConnection.h"

#include <algorithm>

namespace z9rt {

std::string TraceLine(char direction, const Payload& payload) {
    static const char kDigits[] = "0123456789abcdef";
    std::string line;
    line.reserve(2 + payload.size() * 3);
    line += direction;
    for (const std::uint8_t byte : payload) {
        line += ' ';
        line += kDigits[byte >> 4];
        line += kDigits[byte & 0x0F];
    }
    return line;
}

std::string UnansweredReadLine(ReadOutcome outcome, int timeoutMs) {
    return outcome == ReadOutcome::Timeout
               ? "! no report within " + std::to_string(timeoutMs) + " ms"
               : std::string("! the read failed");
}

TracingConnection::TracingConnection(std::unique_ptr<HidConnection> inner,
                                     const std::string& traceFile)
    : inner_(std::move(inner)), file_(std::fopen(traceFile.c_str(), "a")) {}

TracingConnection::~TracingConnection() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TracingConnection::Write(const OutputReport& report) {
    if (!inner_->Write(report)) {
        return false;
    }
    Payload payload;
    std::copy(report.begin() + 1, report.end(), payload.begin());
    Append(TraceLine('>', payload));
    return true;
}

ReadOutcome TracingConnection::Read(Payload& payload, int timeoutMs) {
    const ReadOutcome outcome = inner_->Read(payload, timeoutMs);
    Append(outcome == ReadOutcome::Report ? TraceLine('<', payload)
                                          : UnansweredReadLine(outcome, timeoutMs));
    return outcome;
}

void TracingConnection::Append(const std::string& text) {
    if (file_ == nullptr) {
        return;
    }
    // One write and a flush per line, so that another process appending to the same trace
    // never splits a line, and a crash loses nothing already exchanged.
    const std::string line = text + '\n';
    if (std::fwrite(line.data(), 1, line.size(), file_) == line.size()) {
        std::fflush(file_);
    }
}

}  // namespace z9rt

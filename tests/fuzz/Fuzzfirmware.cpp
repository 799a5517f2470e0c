// The firmware download's line reader on any text: every report it sends is a firmware line
// report, never more reports than the text has lines, nothing for a text that does not start
// with ":"; and a text the Intel HEX check passes goes out whole, one report per record
// carrying exactly the record's bytes.
#include "FuzzSupport.h"
#include "TestSupport.h"
#include "model/IntelHex.h"
#include "transfer/FirmwareTransfer.h"

#include <memory>
#include <string>
#include <vector>

using model::CheckIntelHex;
using model::IntelHexCheck;

namespace {

using fuzzsupport::Require;

// Sends `text` and returns the payloads written.
std::vector<z9rt::Payload> Download(const std::string& text, bool& completed) {
    testsupport::ScriptedConnection::Script script;
    CKeyboardUtil channel(std::make_unique<testsupport::ScriptedConnection>(script));
    completed =
        z9rt::WriteFirmware(channel, text.c_str(), static_cast<int>(text.size()) + 1, nullptr);
    return script.written;
}

std::size_t LineEnds(const std::string& text) {
    std::size_t ends = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool crlf = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
        ends += (text[at] == '\r' || text[at] == '\n') && !crlf ? 1 : 0;
    }
    return ends;
}

std::vector<std::uint8_t> RecordBytes(const std::string& line) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 1; at + 1 < line.size(); at += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(line.substr(at, 2), nullptr, 16)));
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The download reads up to the text's NUL, as it gets the text from a C string.
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const std::string text = raw.substr(0, raw.find('\0'));
    bool completed = false;
    const std::vector<z9rt::Payload> sent = Download(text, completed);
    Require(sent.size() <= LineEnds(text) + 1);
    if (text.empty() || text.front() != ':') {
        Require(!completed && sent.empty());
    }
    for (const z9rt::Payload& payload : sent) {
        Require(payload[0] == 0x00 && payload[1] == 0x3A);
    }

    const IntelHexCheck check = CheckIntelHex(text);
    if (!check.ok) {
        return 0;
    }
    const std::vector<z9rt::Payload> records = Download(check.normalizedText, completed);
    Require(completed);
    Require(records.size() == static_cast<std::size_t>(check.recordCount));
    std::size_t lineStart = 0;
    for (const z9rt::Payload& payload : records) {
        const std::size_t lineEnd = check.normalizedText.find("\r\n", lineStart);
        const std::vector<std::uint8_t> bytes =
            RecordBytes(check.normalizedText.substr(lineStart, lineEnd - lineStart));
        Require(std::equal(bytes.begin(), bytes.end(), payload.begin() + 2));
        Require(std::all_of(payload.begin() + 2 + static_cast<std::ptrdiff_t>(bytes.size()),
                            payload.end(), [](std::uint8_t byte) { return byte == 0; }));
        lineStart = lineEnd + 2;
    }
    return 0;
}

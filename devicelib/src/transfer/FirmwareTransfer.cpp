#include "transfer/FirmwareTransfer.h"

#include <cstring>

namespace z9rt {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

int DigitValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return 0;
}

// Splits the text into lines: each call yields the next line and moves past its ending.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool AtEnd() const { return rest_.empty(); }

    std::string_view Next() {
        const std::size_t end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            const std::string_view line = rest_;
            rest_ = {};
            return line;
        }
        const std::string_view line = rest_.substr(0, end);
        std::size_t next = end + 1;
        if (rest_[end] == kCarriageReturn && next < rest_.size() && rest_[next] == kLineFeed) {
            ++next;
        }
        rest_.remove_prefix(next);
        return line;
    }

private:
    std::string_view rest_;
};

// The lines the progress scale is divided into: every line ending, and a last line that
// has none.
int CountLines(std::string_view text) {
    int lines = 0;
    LineReader reader(text);
    while (!reader.AtEnd()) {
        reader.Next();
        ++lines;
    }
    return lines;
}

}  // namespace

Payload MakeFirmwareLineReport(std::string_view line) {
    Payload payload = MakeRequest(Command::FirmwareLine);
    if (!line.empty() && line.front() == kFirmwareLineStart) {
        line.remove_prefix(1);
    }
    const std::size_t pairs = std::min(line.size() / 2, kFirmwareLineBytes);
    for (std::size_t index = 0; index < pairs; ++index) {
        payload[kFirmwareLineData + index] = static_cast<std::uint8_t>(
            DigitValue(line[2 * index]) * 16 + DigitValue(line[2 * index + 1]));
    }
    return payload;
}

bool WriteFirmware(CKeyboardUtil& channel, const char* text, int length, WindowHandle window) {
    if (text == nullptr || length == 0 || text[0] != kFirmwareLineStart) {
        return false;
    }
    const std::string_view whole(text, std::strlen(text));
    const int lineCount = CountLines(whole);
    int progressSum = 0;
    int lastProgress = 0;
    LineReader reader(whole);
    while (!reader.AtEnd()) {
        const std::string_view line = reader.Next();
        if (line.empty()) {
            return true;  // a blank line ends the file
        }
        if (line.front() != kFirmwareLineStart) {
            return false;
        }
        if (!channel.SendPayload(MakeFirmwareLineReport(line))) {
            return false;
        }
        progressSum += kFirmwareProgressEnd;
        const int progress = progressSum / lineCount;
        if (progress > lastProgress) {
            (void)PostWindowMessage(window, WM_DEVICE_PROGRESS,
                                    static_cast<std::uintptr_t>(progress), 0);
            lastProgress = progress;
        }
    }
    return true;
}

}  // namespace z9rt

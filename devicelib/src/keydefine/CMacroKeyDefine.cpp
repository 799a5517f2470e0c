#include "keydefine/CKeyDefine.h"
#include "keydefine/KeyRecord.h"

namespace record = z9rt::record;

// Array layout: 2, play mode, cycles, delays flag, interval, n, then n codes (flag 0) or
// 2n − 1 elements alternating code and delay (flag 1).
namespace {
constexpr int kSelector = 2;
constexpr int kPlayModeElement = 1;
constexpr int kCyclesElement = 2;
constexpr int kDelaysFlagElement = 3;
constexpr int kIntervalElement = 4;
constexpr int kCountElement = 5;
constexpr int kFirstEventElement = 6;

constexpr std::size_t kMostPlainEvents = record::kLongestBody;
constexpr std::size_t kMostDelayedEvents = record::kLongestBody / record::kDelayedEventBytes;
}  // namespace

CMacroKeyDefine::CMacroKeyDefine(int key, int layer, int recordKind)
    : CKeyDefine(key, layer, recordKind) {}

std::size_t CMacroKeyDefine::EventsSent() const {
    return std::min(codes.size(), delaysFlag != 0 ? kMostDelayedEvents : kMostPlainEvents);
}

std::size_t CMacroKeyDefine::BodyLength() const {
    return EventsSent() * (delaysFlag != 0 ? record::kDelayedEventBytes : 1);
}

bool CMacroKeyDefine::EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const {
    if (!IsKeyRecordSize(recordSize)) {
        return false;
    }
    const std::size_t bodyLength = BodyLength();
    const int recordCount = z9rt::MacroRecordCount(bodyLength);
    byteCount = recordCount * recordSize;
    if (records == nullptr) {
        return true;
    }
    const std::size_t events = EventsSent();
    std::vector<unsigned char> body;
    body.reserve(bodyLength);
    for (std::size_t event = 0; event < events; ++event) {
        body.push_back(z9rt::LowByte(codes[event]));
        if (delaysFlag != 0) {
            const int delay = event < delays.size() ? delays[event] : 0;
            body.push_back(record::kDelayMarker);
            body.push_back(z9rt::HighByte(delay));
            body.push_back(z9rt::LowByte(delay));
        }
    }
    for (int index = 0; index < recordCount; ++index) {
        unsigned char* const out = records + static_cast<std::size_t>(index) * z9rt::kRecordSize;
        WriteRecordHeader(out);
        out[record::kMacroCycles] = z9rt::LowByte(cycles);
        out[record::kMacroDelaysFlag] = static_cast<unsigned char>(delaysFlag);
        out[record::kMacroIntervalHigh] = z9rt::HighByte(interval);
        out[record::kMacroIntervalLow] = z9rt::LowByte(interval);
        out[record::kMacroBodyLengthHigh] = z9rt::HighByte(static_cast<int>(bodyLength));
        out[record::kMacroBodyLengthLow] = z9rt::LowByte(static_cast<int>(bodyLength));
        const std::size_t from = static_cast<std::size_t>(index) * record::kMacroBodyPerRecord;
        const std::size_t to = std::min(bodyLength, from + record::kMacroBodyPerRecord);
        if (from < to) {
            std::copy(body.data() + from, body.data() + to, out + record::kMacroBody);
        }
    }
    return true;
}

void CMacroKeyDefine::DecodeRecords(const unsigned char* records, int recordSize, int byteCount) {
    codes.clear();
    delays.clear();
    cycles = 0;
    delaysFlag = 0;
    interval = 0;
    if (!HoldsRecord(records, recordSize, byteCount)) {
        return;
    }
    cycles = records[record::kMacroCycles];
    delaysFlag = records[record::kMacroDelaysFlag] != 0 ? 1 : 0;
    interval = z9rt::BigEndian16(records + record::kMacroIntervalHigh);
    const std::size_t announced =
        static_cast<std::size_t>(z9rt::BigEndian16(records + record::kMacroBodyLengthHigh));

    std::vector<unsigned char> body;
    const std::size_t recordCount = static_cast<std::size_t>(byteCount) / z9rt::kRecordSize;
    for (std::size_t index = 0; index < recordCount; ++index) {
        const unsigned char* const in = records + index * z9rt::kRecordSize;
        body.insert(body.end(), in + record::kMacroBody, in + z9rt::kRecordSize);
    }
    // A body longer than the records that came cannot be read beyond them.
    const std::size_t bodyLength = std::min(announced, body.size());

    if (delaysFlag == 0) {
        codes.assign(body.data(), body.data() + bodyLength);
        delays.assign(codes.size(), 0);
        return;
    }
    const std::size_t events =
        bodyLength == 0 ? 0 : (bodyLength - 1) / record::kDelayedEventBytes + 1;
    for (std::size_t event = 0; event < events; ++event) {
        const std::size_t at = event * record::kDelayedEventBytes;
        codes.push_back(body[at]);
        delays.push_back(event + 1 < events ? z9rt::BigEndian16(&body[at + 2]) : 0);
    }
}

int CMacroKeyDefine::ArrayLength() const {
    const int events = static_cast<int>(codes.size());
    const int eventElements = delaysFlag != 0 ? std::max(0, 2 * events - 1) : events;
    return kFirstEventElement + eventElements;
}

void CMacroKeyDefine::WriteArray(int* array) const {
    array[0] = kSelector;
    array[kPlayModeElement] = kind - z9rt::kFirstMacroKind;
    array[kCyclesElement] = cycles;
    array[kDelaysFlagElement] = delaysFlag;
    array[kIntervalElement] = interval;
    array[kCountElement] = static_cast<int>(codes.size());
    int* out = array + kFirstEventElement;
    for (std::size_t event = 0; event < codes.size(); ++event) {
        *out++ = codes[event];
        if (delaysFlag != 0 && event + 1 < codes.size()) {
            *out++ = event < delays.size() ? delays[event] : 0;
        }
    }
}

void CMacroKeyDefine::ReadArray(const int* array) {
    cycles = array[kCyclesElement];
    delaysFlag = array[kDelaysFlagElement] != 0 ? 1 : 0;
    interval = array[kIntervalElement];
    const std::size_t events = static_cast<std::size_t>(std::max(0, array[kCountElement]));
    codes.clear();
    delays.clear();
    const int* in = array + kFirstEventElement;
    for (std::size_t event = 0; event < events; ++event) {
        codes.push_back(*in++);
        // The last event has no delay element: its delay is 0.
        const bool hasDelay = delaysFlag != 0 && event + 1 < events;
        delays.push_back(hasDelay ? *in++ : 0);
    }
}

#include "channel/sim/KeyboardProtocol.h"

#include <algorithm>

namespace z9rt::sim::protocol {
namespace {

// Every report from the configurator: byte 0 is 0x00, byte 1 the request.
constexpr std::size_t kLead = 0;
constexpr std::size_t kRequest = 1;

// A key record: 00 f0 layer key kind, then the kind's fields.
constexpr std::size_t kLayerAt = 2;
constexpr std::size_t kKeyAt = 3;
constexpr std::size_t kKindAt = 4;
constexpr int kHighestKind = 4;
constexpr int kFirstMacro = 2;

// Kind 0: count at 5, codes from 6.
constexpr std::size_t kTogetherCountAt = 5;
constexpr std::size_t kTogetherCodesAt = 6;
// Kind 1: interval at 5 (high) and 6 (low), count at 7, codes from 8.
constexpr std::size_t kRepeatIntervalAt = 5;
constexpr std::size_t kRepeatCountAt = 7;
constexpr std::size_t kRepeatCodesAt = 8;
// Macros: cycles at 5, delays flag at 6, interval at 7 and 8, body length at 9 and 10, the
// body from 11: 53 bytes of it in each record.
constexpr std::size_t kCyclesAt = 5;
constexpr std::size_t kDelaysFlagAt = 6;
constexpr std::size_t kMacroIntervalAt = 7;
constexpr std::size_t kBodyLengthAt = 9;
constexpr std::size_t kBodyAt = 11;
constexpr std::size_t kBodyPerRecord = 64 - kBodyAt;
// An event with its delay: code, 0xC8, delay high, delay low.
constexpr std::size_t kDelayedEvent = 4;
constexpr std::uint8_t kDelayMark = 0xC8;

// A data chunk: 00, command, count at 2, the bytes from 3.
constexpr std::size_t kChunkCountAt = 2;
constexpr std::size_t kChunkDataAt = 3;

constexpr std::uint8_t kKeyStreamEndByte = 0xF6;
constexpr std::uint8_t kAreaStreamEndByte = 0xE6;
constexpr std::size_t kVersionTextAt = 2;

int TwoBytes(const Bytes& report, std::size_t at) {
    return report[at] << 8 | report[at + 1];
}

bool ZeroFrom(const Bytes& report, std::size_t from) {
    return std::all_of(report.begin() + static_cast<std::ptrdiff_t>(std::min(from, report.size())),
                       report.end(), [](std::uint8_t byte) { return byte == 0; });
}

void DecodeKeysTogether(const Bytes& record, KeyDefinitionSeen& seen) {
    const std::size_t count = record[kTogetherCountAt];
    if (count > record.size() - kTogetherCodesAt) {
        seen.problem = "count " + std::to_string(count) + " is more than a record holds";
        return;
    }
    seen.codes.assign(record.begin() + kTogetherCodesAt,
                      record.begin() + static_cast<std::ptrdiff_t>(kTogetherCodesAt + count));
    if (!ZeroFrom(record, kTogetherCodesAt + count)) {
        seen.problem = "bytes after the codes are not 0";
    }
}

void DecodeKeysRepeated(const Bytes& record, KeyDefinitionSeen& seen) {
    const std::size_t count = record[kRepeatCountAt];
    if (count > record.size() - kRepeatCodesAt) {
        seen.problem = "count " + std::to_string(count) + " is more than a record holds";
        return;
    }
    seen.interval = TwoBytes(record, kRepeatIntervalAt);
    seen.codes.assign(record.begin() + kRepeatCodesAt,
                      record.begin() + static_cast<std::ptrdiff_t>(kRepeatCodesAt + count));
    if (count == 0 && seen.interval != 0) {
        seen.problem = "an interval without codes";  // such a record carries its header only
    } else if (!ZeroFrom(record, kRepeatCodesAt + count)) {
        seen.problem = "bytes after the codes are not 0";
    }
}

void DecodeMacro(const std::vector<Bytes>& records, KeyDefinitionSeen& seen) {
    const Bytes& first = records.front();
    seen.cycles = first[kCyclesAt];
    seen.interval = TwoBytes(first, kMacroIntervalAt);
    const int flag = first[kDelaysFlagAt];
    seen.delays = flag == 1;
    const std::size_t bodyLength = static_cast<std::size_t>(TwoBytes(first, kBodyLengthAt));
    if (flag > 1) {
        seen.problem = "delays flag " + std::to_string(flag);
        return;
    }
    const std::size_t expected = static_cast<std::size_t>(RecordsOfDefinition(first));
    if (records.size() != expected) {
        seen.problem = std::to_string(records.size()) + " records for a body of " +
                       std::to_string(bodyLength) + " bytes";
        return;
    }
    std::vector<std::uint8_t> body;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const Bytes& record = records[index];
        if (!std::equal(record.begin(), record.begin() + kBodyAt, first.begin())) {
            seen.problem = "record " + std::to_string(index + 1) + " has another header";
            return;
        }
        body.insert(body.end(), record.begin() + kBodyAt, record.end());
    }
    if (!std::all_of(body.begin() + static_cast<std::ptrdiff_t>(bodyLength), body.end(),
                     [](std::uint8_t byte) { return byte == 0; })) {
        seen.problem = "bytes after the body are not 0";
        return;
    }
    body.resize(bodyLength);
    if (!seen.delays) {
        seen.codes.assign(body.begin(), body.end());
        return;
    }
    if (bodyLength % kDelayedEvent != 0) {
        seen.problem = "a body of " + std::to_string(bodyLength) + " bytes is not whole events";
        return;
    }
    for (std::size_t at = 0; at < bodyLength; at += kDelayedEvent) {
        if (body[at + 1] != kDelayMark) {
            seen.problem = "event " + std::to_string(at / kDelayedEvent + 1) + " lacks its mark";
            return;
        }
        seen.codes.push_back(body[at]);
        seen.delayList.push_back(body[at + 2] << 8 | body[at + 3]);
    }
}

}  // namespace

std::optional<Request> RequestOf(const Bytes& report) {
    switch (static_cast<Request>(report[kRequest])) {
        case Request::Version:
        case Request::KeyWriteStart:
        case Request::KeyRecord:
        case Request::KeyWriteEnd:
        case Request::KeyRead:
        case Request::LightWriteStart:
        case Request::LightChunk:
        case Request::StreamEnd:
        case Request::LightRead:
        case Request::CounterRead:
        case Request::FirmwareLine:
            return static_cast<Request>(report[kRequest]);
    }
    return std::nullopt;
}

std::optional<int> SlotOfRecord(const Bytes& record) {
    const int layerNumber = record[kLayerAt];
    const int key = record[kKeyAt];
    if (record[kLead] != 0 || record[kRequest] != static_cast<std::uint8_t>(Request::KeyRecord) ||
        layerNumber < 1 || layerNumber > kLayers || key < 1 || key > kKeys) {
        return std::nullopt;
    }
    return SlotOfKey(layerNumber, key);
}

int RecordsOfDefinition(const Bytes& first) {
    if (first[kKindAt] < kFirstMacro) {
        return 1;
    }
    const std::size_t bodyLength = static_cast<std::size_t>(TwoBytes(first, kBodyLengthAt));
    return static_cast<int>(
        std::max<std::size_t>(1, (bodyLength + kBodyPerRecord - 1) / kBodyPerRecord));
}

KeyDefinitionSeen DecodeDefinition(const std::vector<Bytes>& records) {
    KeyDefinitionSeen seen;
    if (records.empty()) {
        return seen;
    }
    const Bytes& first = records.front();
    if (!SlotOfRecord(first)) {
        seen.problem = "not a key record of this keyboard";
        return seen;
    }
    seen.layerNumber = first[kLayerAt];
    seen.key = first[kKeyAt];
    seen.kind = first[kKindAt];
    if (seen.kind > kHighestKind) {
        seen.problem = "kind " + std::to_string(seen.kind);
    } else if (seen.kind < kFirstMacro && records.size() != 1) {
        seen.problem = std::to_string(records.size()) + " records for a kind " +
                       std::to_string(seen.kind) + " key";
    } else if (seen.kind == 0) {
        DecodeKeysTogether(first, seen);
    } else if (seen.kind == 1) {
        DecodeKeysRepeated(first, seen);
    } else {
        DecodeMacro(records, seen);
    }
    return seen;
}

std::size_t TakeChunk(const Bytes& chunk, std::uint8_t* area, std::size_t areaSize,
                      std::size_t position) {
    if (position >= areaSize) {
        return 0;
    }
    const std::size_t count =
        std::min({static_cast<std::size_t>(chunk[kChunkCountAt]), kChunkRoom, areaSize - position});
    std::copy_n(chunk.begin() + kChunkDataAt, count, area + position);
    return count;
}

Bytes VersionAnswer(const std::string& text) {
    Bytes answer{};
    answer[kRequest] = static_cast<std::uint8_t>(Request::Version);
    std::copy_n(text.begin(), std::min(text.size(), answer.size() - kVersionTextAt),
                answer.begin() + kVersionTextAt);
    return answer;
}

Bytes KeyStreamEnd() {
    Bytes end;
    end.fill(kKeyStreamEndByte);
    return end;
}

Bytes AreaStreamEnd() {
    Bytes end;
    end.fill(kAreaStreamEndByte);
    return end;
}

std::vector<Bytes> AreaChunks(Request command, const std::uint8_t* area, std::size_t size) {
    std::vector<Bytes> chunks;
    for (std::size_t position = 0; position < size; position += kChunkRoom) {
        const std::size_t count = std::min(kChunkRoom, size - position);
        Bytes chunk{};
        chunk[kRequest] = static_cast<std::uint8_t>(command);
        chunk[kChunkCountAt] = static_cast<std::uint8_t>(count);
        std::copy_n(area + position, count, chunk.begin() + kChunkDataAt);
        chunks.push_back(chunk);
    }
    return chunks;
}

Bytes KeysTogetherRecord(int layerNumber, int key, const std::vector<int>& codes) {
    Bytes record{};
    record[kRequest] = static_cast<std::uint8_t>(Request::KeyRecord);
    record[kLayerAt] = static_cast<std::uint8_t>(layerNumber);
    record[kKeyAt] = static_cast<std::uint8_t>(key);
    const std::size_t count = std::min(codes.size(), record.size() - kTogetherCodesAt);
    record[kTogetherCountAt] = static_cast<std::uint8_t>(count);
    for (std::size_t index = 0; index < count; ++index) {
        record[kTogetherCodesAt + index] = static_cast<std::uint8_t>(codes[index]);
    }
    return record;
}

}  // namespace z9rt::sim::protocol

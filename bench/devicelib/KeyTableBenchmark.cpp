// The device library's own cost of its conversations, apart from the wire: a whole key table
// encoded and sent through a channel that discards every report, and read back (the records
// decoded into the table) from a channel that replays a keyboard's stream; the light and
// counter streams read likewise. Each figure per report is to be set against the 1 ms a
// full-speed USB interrupt endpoint needs for each 64-byte report on the wire.
//
// Two tables: the realistic one, 246 slots as the default profile makes them (the simulated
// keyboard's factory table is exactly what the program writes for the defaults), and the
// largest, every slot a macro of 16383 events with their delays.
#include "channel/CKeyboardUtil.h"
#include "channel/sim/SimulatedMemory.h"
#include "keydefine/COrvo.h"
#include "keydefine/KeyDefinitionFactory.h"
#include "keydefine/KeyRecord.h"
#include "transfer/CounterTransfer.h"
#include "transfer/DataChunk.h"
#include "transfer/KeyTransfer.h"
#include "transfer/LightTransfer.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using Stream = std::vector<z9rt::Payload>;

// Counts what is written and answers every request with the same stream from its start.
class ReplayingConnection final : public z9rt::HidConnection {
public:
    ReplayingConnection(const Stream& stream, long& reports) : stream_(stream), reports_(reports) {}
    bool Write(const z9rt::OutputReport& report) override {
        benchmark::DoNotOptimize(report.data());
        ++reports_;
        next_ = 0;
        return true;
    }
    z9rt::ReadOutcome Read(z9rt::Payload& payload, int) override {
        if (next_ == stream_.size()) {
            return z9rt::ReadOutcome::Timeout;
        }
        payload = stream_[next_++];
        ++reports_;
        return z9rt::ReadOutcome::Report;
    }

private:
    const Stream& stream_;
    long& reports_;
    std::size_t next_ = 0;
};

// The largest macro a record set can carry: 16383 events with their delays (B = 65532).
std::unique_ptr<CKeyDefine> LargestMacro(int slot) {
    auto macro = std::make_unique<CMacroKeyDefine>(
        z9rt::KeyOfSlot(slot), z9rt::LayerNumberOfSlot(slot), z9rt::kFirstMacroKind);
    macro->delaysFlag = 1;
    macro->cycles = 3;
    macro->interval = 0;
    for (int event = 0; event < 16383; ++event) {
        macro->codes.push_back(4 + event % 100);
        macro->delays.push_back(event % 1000);
    }
    macro->delays.back() = 0;
    return macro;
}

z9rt::KeyTable LargestMacros() {
    z9rt::KeyTable keys;
    for (int slot = 0; slot < z9rt::kSlotCount; ++slot) {
        keys[static_cast<std::size_t>(slot)] = LargestMacro(slot);
    }
    return keys;
}

// The default profile's table, decoded from the factory keyboard's records.
z9rt::KeyTable Defaults() {
    const z9rt::sim::KeyboardMemory factory = z9rt::sim::FactoryMemory(z9rt::sim::kFirstModel);
    z9rt::KeyTable keys;
    for (int slot = 0; slot < z9rt::kSlotCount; ++slot) {
        const std::vector<z9rt::Payload>& records =
            factory.keyRecords[static_cast<std::size_t>(slot)];
        if (records.empty()) {
            continue;
        }
        std::vector<unsigned char> bytes;
        for (const z9rt::Payload& record : records) {
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
        auto definition =
            z9rt::EmptyDefinitionOfKind(records.front()[z9rt::record::kKind],
                                        z9rt::LayerNumberOfSlot(slot), z9rt::KeyOfSlot(slot));
        definition->DecodeRecords(bytes.data(), static_cast<int>(z9rt::kRecordSize),
                                  static_cast<int>(bytes.size()));
        keys[static_cast<std::size_t>(slot)] = std::move(definition);
    }
    return keys;
}

// What a keyboard holding `keys` streams when asked for them: every slot's records, then the
// end marker.
Stream KeyStream(const z9rt::KeyTable& keys) {
    Stream stream;
    for (int slot = 0; slot < z9rt::kSlotCount; ++slot) {
        const CKeyDefine* definition = keys[static_cast<std::size_t>(slot)].get();
        if (definition == nullptr) {
            stream.push_back(
                z9rt::MakeRecordHeader(z9rt::LayerNumberOfSlot(slot), z9rt::KeyOfSlot(slot), 0));
            continue;
        }
        int byteCount = 0;
        definition->EncodeRecords(nullptr, static_cast<int>(z9rt::kRecordSize), byteCount);
        std::vector<unsigned char> bytes(static_cast<std::size_t>(byteCount), 0);
        definition->EncodeRecords(bytes.data(), static_cast<int>(z9rt::kRecordSize), byteCount);
        for (std::size_t at = 0; at < bytes.size(); at += z9rt::kRecordSize) {
            z9rt::Payload payload;
            std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + z9rt::kRecordSize),
                      payload.begin());
            stream.push_back(payload);
        }
    }
    z9rt::Payload end;
    end.fill(z9rt::ByteOf(z9rt::Command::KeyEnd));
    stream.push_back(end);
    return stream;
}

// A light or counter area as the keyboard streams it: chunks of 61 bytes, then the end report.
template <typename Area>
Stream AreaStream(z9rt::Command command) {
    Area area{};
    for (std::size_t at = 0; at < area.size(); ++at) {
        area[at] = static_cast<std::uint8_t>(at * 7);
    }
    Stream stream;
    for (std::size_t at = 0; at < area.size(); at += z9rt::chunk::kMostBytes) {
        stream.push_back(z9rt::MakeChunk(command, area.data() + at,
                                         std::min(z9rt::chunk::kMostBytes, area.size() - at)));
    }
    stream.push_back(z9rt::MakeFilled(z9rt::ByteOf(z9rt::Command::StreamEnd)));
    return stream;
}

// The counters every benchmark reports: reports per conversation, and the library's time per
// report, the figure to compare with 1 ms per report on a full-speed wire.
void CountReports(benchmark::State& state, long reports) {
    state.counters["reports"] =
        benchmark::Counter(static_cast<double>(reports) / static_cast<double>(state.iterations()));
    state.counters["time_per_report"] = benchmark::Counter(
        static_cast<double>(reports), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void WriteTable(benchmark::State& state, const z9rt::KeyTable& keys) {
    const Stream nothing;
    long reports = 0;
    CKeyboardUtil channel(std::make_unique<ReplayingConnection>(nothing, reports));
    for (auto _ : state) {
        if (!z9rt::WriteKeyTable(channel, keys, nullptr)) {
            state.SkipWithError("a write failed");
            break;
        }
    }
    CountReports(state, reports);
}

void ReadTable(benchmark::State& state, const z9rt::KeyTable& held) {
    const Stream stream = KeyStream(held);
    long reports = 0;
    CKeyboardUtil channel(std::make_unique<ReplayingConnection>(stream, reports));
    z9rt::KeyTable keys;
    for (auto _ : state) {
        if (!z9rt::ReadKeyTable(channel, keys, nullptr)) {
            state.SkipWithError("a read failed");
            break;
        }
        benchmark::DoNotOptimize(keys[0].get());
    }
    CountReports(state, reports);
}

template <typename Area, typename Read>
void ReadArea(benchmark::State& state, z9rt::Command command, Read read) {
    const Stream stream = AreaStream<Area>(command);
    long reports = 0;
    CKeyboardUtil channel(std::make_unique<ReplayingConnection>(stream, reports));
    Area area{};
    for (auto _ : state) {
        if (!read(channel, area)) {
            state.SkipWithError("a read failed");
            break;
        }
        benchmark::DoNotOptimize(area.data());
    }
    CountReports(state, reports);
}

void BM_WriteTableOfDefaults(benchmark::State& state) {
    WriteTable(state, Defaults());
}
BENCHMARK(BM_WriteTableOfDefaults)->Unit(benchmark::kMicrosecond);

void BM_ReadTableOfDefaults(benchmark::State& state) {
    ReadTable(state, Defaults());
}
BENCHMARK(BM_ReadTableOfDefaults)->Unit(benchmark::kMicrosecond);

void BM_WriteTableOfLargestMacros(benchmark::State& state) {
    WriteTable(state, LargestMacros());
}
BENCHMARK(BM_WriteTableOfLargestMacros)->Unit(benchmark::kMillisecond);

void BM_ReadTableOfLargestMacros(benchmark::State& state) {
    ReadTable(state, LargestMacros());
}
BENCHMARK(BM_ReadTableOfLargestMacros)->Unit(benchmark::kMillisecond);

void BM_ReadLightStream(benchmark::State& state) {
    ReadArea<z9rt::LightArea>(state, z9rt::Command::LightChunk,
                              [](CKeyboardUtil& channel, z9rt::LightArea& area) {
                                  return z9rt::ReadLightArea(channel, area);
                              });
}
BENCHMARK(BM_ReadLightStream)->Unit(benchmark::kMicrosecond);

void BM_ReadCounterStream(benchmark::State& state) {
    ReadArea<z9rt::CounterArea>(state, z9rt::Command::Counters,
                                [](CKeyboardUtil& channel, z9rt::CounterArea& area) {
                                    return z9rt::ReadCounters(channel, area);
                                });
}
BENCHMARK(BM_ReadCounterStream)->Unit(benchmark::kMicrosecond);

}  // namespace

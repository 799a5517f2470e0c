// Encoding and sending a whole key table through a channel that discards every report: what
// the library itself spends per report, to set against the 1 ms a full-speed USB interrupt
// endpoint needs for each 64-byte report on the wire.
#include "channel/CKeyboardUtil.h"
#include "keydefine/COrvo.h"
#include "keydefine/KeyRecord.h"
#include "transfer/KeyTransfer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class DiscardingConnection final : public z9rt::HidConnection {
public:
    explicit DiscardingConnection(long& reports) : reports_(reports) {}
    bool Write(const z9rt::OutputReport& report) override {
        benchmark::DoNotOptimize(report.data());
        ++reports_;
        return true;
    }
    z9rt::ReadOutcome Read(z9rt::Payload&, int) override { return z9rt::ReadOutcome::Timeout; }

private:
    long& reports_;
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

std::unique_ptr<CKeyDefine> SingleKey(int slot) {
    auto single =
        std::make_unique<CNormalKeyDefine>(z9rt::KeyOfSlot(slot), z9rt::LayerNumberOfSlot(slot));
    single->codes = {4 + slot % 100};
    return single;
}

void WriteTable(benchmark::State& state, std::unique_ptr<CKeyDefine> (*make)(int)) {
    z9rt::KeyTable keys;
    for (int slot = 0; slot < z9rt::kSlotCount; ++slot) {
        keys[static_cast<std::size_t>(slot)] = make(slot);
    }
    long reports = 0;
    CKeyboardUtil channel(std::make_unique<DiscardingConnection>(reports));
    for (auto _ : state) {
        if (!z9rt::WriteKeyTable(channel, keys, nullptr)) {
            state.SkipWithError("a write failed");
            break;
        }
    }
    state.counters["reports_per_write"] =
        benchmark::Counter(static_cast<double>(reports) / static_cast<double>(state.iterations()));
    // Time per report: the figure to compare with 1 ms per report on a full-speed wire.
    state.counters["time_per_report"] = benchmark::Counter(
        static_cast<double>(reports), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_WriteTableOfLargestMacros(benchmark::State& state) {
    WriteTable(state, LargestMacro);
}
BENCHMARK(BM_WriteTableOfLargestMacros)->Unit(benchmark::kMillisecond);

void BM_WriteTableOfSingleKeys(benchmark::State& state) {
    WriteTable(state, SingleKey);
}
BENCHMARK(BM_WriteTableOfSingleKeys)->Unit(benchmark::kMicrosecond);

}  // namespace

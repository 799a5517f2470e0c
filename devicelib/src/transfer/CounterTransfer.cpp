#include "transfer/CounterTransfer.h"

#include "transfer/DataChunk.h"

namespace z9rt {

void ReadCounters(CKeyboardUtil& channel, CounterArea& counters) {
    if (!channel.SendPayload(MakeRequest(Command::Counters))) {
        return;
    }
    // The outcome does not matter to the caller: it gets the area as it stands either way.
    (void)ReceiveChunks(channel, Command::Counters, counters.data(), counters.size());
}

int CounterOfKey(const CounterArea& counters, int key) {
    const std::size_t at = static_cast<std::size_t>(key - kFirstKey) * kCounterWidth;
    const std::uint32_t value = static_cast<std::uint32_t>(counters[at]) |
                                static_cast<std::uint32_t>(counters[at + 1]) << 8 |
                                static_cast<std::uint32_t>(counters[at + 2]) << 16 |
                                static_cast<std::uint32_t>(counters[at + 3]) << 24;
    return static_cast<int>(value);
}

}  // namespace z9rt

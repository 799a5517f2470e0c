#include "transfer/CounterTransfer.h"

#include "transfer/DataChunk.h"

namespace z9rt {

bool ReadCounters(CKeyboardUtil& channel, CounterArea& counters) {
    return channel.SendPayload(MakeRequest(Command::Counters)) &&
           ReceiveChunks(channel, Command::Counters, counters.data(), counters.size());
}

std::uint32_t CounterOfKey(const CounterArea& counters, int key) {
    const std::size_t at = static_cast<std::size_t>(key - kFirstKey) * kCounterWidth;
    const std::uint32_t value = static_cast<std::uint32_t>(counters[at]) |
                                static_cast<std::uint32_t>(counters[at + 1]) << 8 |
                                static_cast<std::uint32_t>(counters[at + 2]) << 16 |
                                static_cast<std::uint32_t>(counters[at + 3]) << 24;
    return value;
}

}  // namespace z9rt

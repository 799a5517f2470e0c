// Light and counter streams as a keyboard sends them, through a channel that replays the fuzz
// input: the read never copies beyond a report or an area, ends true only at an end report,
// and leaves in the area exactly the bytes of the chunks it took, in order.
#include "FuzzSupport.h"
#include "TestSupport.h"
#include "keydefine/COrvo.h"
#include "transfer/CounterTransfer.h"
#include "transfer/LightTransfer.h"

#include <memory>
#include <vector>

namespace {

using fuzzsupport::Require;

constexpr std::uint8_t kStreamEnd = 0xE6;
constexpr std::size_t kChunkCount = 2;
constexpr std::size_t kChunkData = 3;
constexpr std::size_t kMostChunkBytes = 61;

// What the area must hold after the stream: every chunk's bytes of `command` appended, each
// chunk at most 61 bytes, all within `areaSize`; and whether an end report came.
std::vector<std::uint8_t> Expected(const std::deque<z9rt::Payload>& stream, std::uint8_t command,
                                   std::size_t areaSize, bool& ends) {
    std::vector<std::uint8_t> bytes;
    ends = false;
    for (const z9rt::Payload& payload : stream) {
        if (payload[z9rt::kCommandByte] == kStreamEnd) {
            ends = true;
            break;
        }
        if (payload[z9rt::kCommandByte] == command) {
            const std::size_t count = std::min<std::size_t>(payload[kChunkCount], kMostChunkBytes);
            bytes.insert(bytes.end(), payload.begin() + kChunkData,
                         payload.begin() + static_cast<std::ptrdiff_t>(kChunkData + count));
        }
    }
    bytes.resize(std::min(bytes.size(), areaSize));
    return bytes;
}

template <typename Area, typename Read>
void Check(const std::deque<z9rt::Payload>& stream, std::uint8_t command, Read read) {
    testsupport::ScriptedConnection::Script script;
    script.answers = stream;
    CKeyboardUtil channel(std::make_unique<testsupport::ScriptedConnection>(script));
    Area area{};
    const bool ended = read(channel, area);
    bool ends = false;
    const std::vector<std::uint8_t> expected = Expected(stream, command, area.size(), ends);
    Require(ended == ends);
    Require(script.written.size() == 1);
    Require(std::equal(expected.begin(), expected.end(), area.begin()));
    Require(std::all_of(area.begin() + static_cast<std::ptrdiff_t>(expected.size()), area.end(),
                        [](std::uint8_t byte) { return byte == 0; }));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::deque<z9rt::Payload> stream = fuzzsupport::PayloadsOf(data, size);
    Check<z9rt::LightArea>(stream, 0xE0, [](CKeyboardUtil& channel, z9rt::LightArea& area) {
        return z9rt::ReadLightArea(channel, area);
    });
    Check<z9rt::CounterArea>(stream, 0xE3, [](CKeyboardUtil& channel, z9rt::CounterArea& area) {
        return z9rt::ReadCounters(channel, area);
    });
    return 0;
}

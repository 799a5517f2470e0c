#include "transfer/DataChunk.h"

#include <algorithm>

namespace z9rt {

Payload MakeChunk(Command command, const std::uint8_t* data, std::size_t count) {
    Payload payload = MakeRequest(command);
    count = std::min(count, chunk::kMostBytes);
    payload[chunk::kCount] = static_cast<std::uint8_t>(count);
    std::copy(data, data + count, payload.begin() + chunk::kData);
    return payload;
}

std::size_t CopyChunk(const Payload& payload, std::uint8_t* area, std::size_t areaSize,
                      std::size_t position) {
    if (position >= areaSize) {
        return 0;
    }
    const std::size_t count = std::min(
        {static_cast<std::size_t>(payload[chunk::kCount]), chunk::kMostBytes, areaSize - position});
    std::copy(payload.begin() + chunk::kData, payload.begin() + chunk::kData + count,
              area + position);
    return count;
}

bool SendChunks(CKeyboardUtil& channel, Command command, const std::uint8_t* area,
                std::size_t areaSize) {
    for (std::size_t position = 0; position < areaSize; position += chunk::kMostBytes) {
        const std::size_t count = std::min(chunk::kMostBytes, areaSize - position);
        if (!channel.SendPayload(MakeChunk(command, area + position, count))) {
            return false;
        }
    }
    return true;
}

bool ReceiveChunks(CKeyboardUtil& channel, Command command, std::uint8_t* area,
                   std::size_t areaSize) {
    std::size_t position = 0;
    Payload payload;
    while (channel.ReceivePayload(payload)) {
        if (IsStreamEnd(payload)) {
            return true;
        }
        if (payload[kCommandByte] == ByteOf(command)) {
            position += CopyChunk(payload, area, areaSize, position);
        }
    }
    return false;
}

}  // namespace z9rt

#include "transfer/LightTransfer.h"

#include "transfer/DataChunk.h"

namespace z9rt {

bool WriteLightArea(CKeyboardUtil& channel, const LightArea& light) {
    // The keyboard keeps the colours only once the end marker has arrived, so the end marker
    // counts as much as the chunks do.
    return channel.SendPayload(MakeRequest(Command::BeginLightWrite)) &&
           SendChunks(channel, Command::LightChunk, light.data(), light.size()) &&
           channel.SendPayload(MakeFilled(ByteOf(Command::StreamEnd)));
}

bool ReadLightArea(CKeyboardUtil& channel, LightArea& light) {
    if (!channel.SendPayload(MakeRequest(Command::ReadLight))) {
        return false;
    }
    return ReceiveChunks(channel, Command::LightChunk, light.data(), light.size());
}

}  // namespace z9rt

#include "transfer/LightTransfer.h"

#include "transfer/DataChunk.h"

namespace z9rt {

bool WriteLightArea(CKeyboardUtil& channel, const LightArea& light) {
    if (!channel.SendPayload(MakeRequest(Command::BeginLightWrite)) ||
        !SendChunks(channel, Command::LightChunk, light.data(), light.size())) {
        return true;
    }
    // The end marker's result changes nothing: the area was sent either way.
    (void)channel.SendPayload(MakeFilled(ByteOf(Command::StreamEnd)));
    return true;
}

bool ReadLightArea(CKeyboardUtil& channel, LightArea& light) {
    if (!channel.SendPayload(MakeRequest(Command::ReadLight))) {
        return false;
    }
    return ReceiveChunks(channel, Command::LightChunk, light.data(), light.size());
}

}  // namespace z9rt

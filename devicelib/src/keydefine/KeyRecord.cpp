#include "keydefine/KeyRecord.h"

namespace z9rt {

Payload MakeRecordHeader(int layerNumber, int key, int kind) {
    Payload payload = MakeRequest(Command::KeyRecord);
    payload[record::kLayer] = static_cast<std::uint8_t>(layerNumber);
    payload[record::kKey] = static_cast<std::uint8_t>(key);
    payload[record::kKind] = static_cast<std::uint8_t>(kind);
    return payload;
}

}  // namespace z9rt

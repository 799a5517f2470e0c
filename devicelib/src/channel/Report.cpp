#include "channel/Report.h"

namespace z9rt {

Payload MakeRequest(Command command) {
    Payload payload{};
    payload[kLeadByte] = kReportId;
    payload[kCommandByte] = ByteOf(command);
    return payload;
}

Payload MakeFilled(std::uint8_t value) {
    Payload payload;
    payload.fill(value);
    return payload;
}

Payload MakeKeyEndRequest() {
    Payload payload = MakeFilled(ByteOf(Command::KeyEnd));
    payload[kLeadByte] = 0x00;
    return payload;
}

}  // namespace z9rt

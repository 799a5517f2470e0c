#include "keydefine/CKeyDefine.h"

#include "keydefine/KeyRecord.h"

void CKeyDefine::WriteRecordHeader(unsigned char* record) const {
    const z9rt::Payload header = z9rt::MakeRecordHeader(layerNumber, keyNumber, kind);
    std::copy(header.begin(), header.begin() + z9rt::record::kKind + 1, record);
}

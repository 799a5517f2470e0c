#include "keydefine/CKeyDefine.h"

#include "keydefine/KeyRecord.h"

#include <algorithm>

void CKeyDefine::WriteRecordHeader(unsigned char* record) const {
    const z9rt::Payload header = z9rt::MakeRecordHeader(layerNumber, keyNumber, kind);
    std::copy(header.begin(), header.begin() + z9rt::record::kKind + 1, record);
}

bool CKeyDefine::IsKeyRecordSize(int recordSize) {
    return recordSize == static_cast<int>(z9rt::kRecordSize);
}

bool CKeyDefine::HoldsRecord(const unsigned char* records, int recordSize, int byteCount) {
    return records != nullptr && IsKeyRecordSize(recordSize) && byteCount >= recordSize;
}

std::size_t CKeyDefine::WriteCodes(const std::vector<int>& codes, std::size_t most,
                                   unsigned char* out) {
    const std::size_t count = std::min(codes.size(), most);
    std::transform(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(count), out,
                   [](int code) { return z9rt::LowByte(code); });
    return count;
}

std::vector<int> CKeyDefine::ReadCodes(const unsigned char* in, std::size_t count,
                                       std::size_t most) {
    count = std::min(count, most);
    return std::vector<int>(in, in + count);
}

#include "keydefine/CKeyDefine.h"
#include "keydefine/KeyRecord.h"

namespace record = z9rt::record;

// Array layout: 0, n, the n codes.
namespace {
constexpr int kSelector = 0;
constexpr int kCountElement = 1;
constexpr int kFirstCodeElement = 2;
}  // namespace

CNormalKeyDefine::CNormalKeyDefine(int key, int layer)
    : CKeyDefine(key, layer, static_cast<int>(z9rt::RecordKind::Normal)) {}

bool CNormalKeyDefine::EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const {
    if (!IsKeyRecordSize(recordSize)) {
        return false;
    }
    byteCount = recordSize;
    if (records == nullptr) {
        return true;
    }
    WriteRecordHeader(records);
    records[record::kNormalCount] = static_cast<unsigned char>(
        WriteCodes(codes, record::kNormalMaxCodes, records + record::kNormalCodes));
    return true;
}

void CNormalKeyDefine::DecodeRecords(const unsigned char* records, int recordSize, int byteCount) {
    codes.clear();
    if (HoldsRecord(records, recordSize, byteCount)) {
        codes = ReadCodes(records + record::kNormalCodes, records[record::kNormalCount],
                          record::kNormalMaxCodes);
    }
}

int CNormalKeyDefine::ArrayLength() const {
    return kFirstCodeElement + static_cast<int>(codes.size());
}

void CNormalKeyDefine::WriteArray(int* array) const {
    array[0] = kSelector;
    array[kCountElement] = static_cast<int>(codes.size());
    std::copy(codes.begin(), codes.end(), array + kFirstCodeElement);
}

void CNormalKeyDefine::ReadArray(const int* array) {
    const int count = std::max(0, array[kCountElement]);
    codes.assign(array + kFirstCodeElement, array + kFirstCodeElement + count);
}

#include "keydefine/CKeyDefine.h"
#include "keydefine/KeyRecord.h"

namespace record = z9rt::record;

// Array layout: 1, interval, n, the n codes.
namespace {
constexpr int kSelector = 1;
constexpr int kIntervalElement = 1;
constexpr int kCountElement = 2;
constexpr int kFirstCodeElement = 3;
}  // namespace

CContinousKeyDefine::CContinousKeyDefine(int key, int layer)
    : CKeyDefine(key, layer, static_cast<int>(z9rt::RecordKind::Continous)) {}

bool CContinousKeyDefine::EncodeRecords(unsigned char* records, int recordSize,
                                        int& byteCount) const {
    if (!IsKeyRecordSize(recordSize)) {
        return false;
    }
    byteCount = recordSize;
    if (records == nullptr) {
        return true;
    }
    WriteRecordHeader(records);
    // Without codes the record is its header alone: the interval is not sent either.
    if (codes.empty()) {
        return true;
    }
    records[record::kContinousIntervalHigh] = z9rt::HighByte(interval);
    records[record::kContinousIntervalLow] = z9rt::LowByte(interval);
    records[record::kContinousCount] = static_cast<unsigned char>(
        WriteCodes(codes, record::kContinousMaxCodes, records + record::kContinousCodes));
    return true;
}

void CContinousKeyDefine::DecodeRecords(const unsigned char* records, int recordSize,
                                        int byteCount) {
    codes.clear();
    interval = 0;
    if (HoldsRecord(records, recordSize, byteCount)) {
        interval = z9rt::BigEndian16(records + record::kContinousIntervalHigh);
        codes = ReadCodes(records + record::kContinousCodes, records[record::kContinousCount],
                          record::kContinousMaxCodes);
    }
}

int CContinousKeyDefine::ArrayLength() const {
    return kFirstCodeElement + static_cast<int>(codes.size());
}

void CContinousKeyDefine::WriteArray(int* array) const {
    array[0] = kSelector;
    array[kIntervalElement] = interval;
    array[kCountElement] = static_cast<int>(codes.size());
    std::copy(codes.begin(), codes.end(), array + kFirstCodeElement);
}

void CContinousKeyDefine::ReadArray(const int* array) {
    interval = array[kIntervalElement];
    const int count = std::max(0, array[kCountElement]);
    codes.assign(array + kFirstCodeElement, array + kFirstCodeElement + count);
}

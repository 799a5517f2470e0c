// One key definition: which key on which layer does what. The family varies in how it lays
// itself out in key records and in the integer arrays of the library's call interface.
#pragma once

#include <cstdint>
#include <vector>

class CKeyDefine {
public:
    CKeyDefine(int key, int layer, int recordKind)
        : keyNumber(key), layerNumber(layer), kind(recordKind) {}
    virtual ~CKeyDefine() = default;
    CKeyDefine(const CKeyDefine&) = default;
    CKeyDefine& operator=(const CKeyDefine&) = default;

    // Without `records`: sets `byteCount` to the bytes the definition's records take (a
    // multiple of `recordSize`). With `records` (that many zeroed bytes): writes the records.
    // False when `recordSize` is not the key record's 64 bytes.
    virtual bool EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const = 0;
    // Replaces the content with what `byteCount` bytes of records say (the header's key,
    // layer and kind stay as constructed). Reads nothing beyond `byteCount`.
    virtual void DecodeRecords(const unsigned char* records, int recordSize, int byteCount) = 0;

    // The definition in the call interface's array layout: its element count, and the
    // elements themselves into an array that holds at least that many.
    virtual int ArrayLength() const = 0;
    virtual void WriteArray(int* array) const = 0;

    int keyNumber;    // 1..82
    int layerNumber;  // 1..3
    int kind;         // 0..4

protected:
    // The five header bytes of one record.
    void WriteRecordHeader(unsigned char* record) const;

    static bool IsKeyRecordSize(int recordSize);
    // Whether `byteCount` bytes at `records` hold at least one whole key record.
    static bool HoldsRecord(const unsigned char* records, int recordSize, int byteCount);
    // The low bytes of at most `most` codes, written at `out`; returns how many were written.
    static std::size_t WriteCodes(const std::vector<int>& codes, std::size_t most,
                                  unsigned char* out);
    // `count` codes (at most `most`) read from `in`.
    static std::vector<int> ReadCodes(const unsigned char* in, std::size_t count, std::size_t most);
};

// Kind 0: the codes are sent together (one key, or a combination).
class CNormalKeyDefine final : public CKeyDefine {
public:
    CNormalKeyDefine(int key, int layer);

    bool EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const override;
    void DecodeRecords(const unsigned char* records, int recordSize, int byteCount) override;
    int ArrayLength() const override;
    void WriteArray(int* array) const override;
    // Takes the content from an array of the same layout (its selector already chosen).
    void ReadArray(const int* array);

    std::vector<int> codes;  // HW codes; the low 8 bits of at most 58 travel
};

// Kind 1: the codes are played one after another at a fixed interval.
class CContinousKeyDefine final : public CKeyDefine {
public:
    CContinousKeyDefine(int key, int layer);

    bool EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const override;
    void DecodeRecords(const unsigned char* records, int recordSize, int byteCount) override;
    int ArrayLength() const override;
    void WriteArray(int* array) const override;
    // Takes the content from an array of the same layout (its selector already chosen).
    void ReadArray(const int* array);

    int interval = 0;        // milliseconds; the low 16 bits travel
    std::vector<int> codes;  // at most 56 travel
};

// Kinds 2..4: a macro, played by the play mode that kind − 2 names.
class CMacroKeyDefine final : public CKeyDefine {
public:
    CMacroKeyDefine(int key, int layer, int recordKind);

    bool EncodeRecords(unsigned char* records, int recordSize, int& byteCount) const override;
    void DecodeRecords(const unsigned char* records, int recordSize, int byteCount) override;
    int ArrayLength() const override;
    void WriteArray(int* array) const override;
    // Takes the content from an array of the same layout (its selector already chosen).
    void ReadArray(const int* array);

    // The events that travel: all of them, unless the body would outgrow its 16-bit length.
    std::size_t EventsSent() const;
    // The body length B for the events that travel.
    std::size_t BodyLength() const;

    int delaysFlag = 0;       // 1: delay j follows event j; 0: `interval` between all events
    int cycles = 0;           // play mode 0's repeat count; the low 8 bits travel
    std::vector<int> delays;  // as many as codes; the last is 0
    std::vector<int> codes;   // one HW code per event
    int interval = 0;         // milliseconds; the low 16 bits travel
};

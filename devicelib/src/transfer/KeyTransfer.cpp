#include "transfer/KeyTransfer.h"

#include "keydefine/KeyDefinitionFactory.h"
#include "keydefine/KeyRecord.h"

#include <new>
#include <vector>

namespace z9rt {
namespace {

constexpr int kRecordBytes = static_cast<int>(kRecordSize);

void PostProgress(WindowHandle window, int slot) {
    // A lost progress message changes nothing in the conversation.
    (void)PostWindowMessage(window, WM_DEVICE_PROGRESS, static_cast<std::uintptr_t>(slot), 0);
}

// Sends one slot: the definition's records, or the empty record.
bool SendSlot(CKeyboardUtil& channel, int slot, const CKeyDefine* definition) {
    if (definition == nullptr) {
        return channel.SendPayload(MakeRecordHeader(LayerNumberOfSlot(slot), KeyOfSlot(slot),
                                                    static_cast<int>(RecordKind::Normal)));
    }
    int byteCount = 0;
    if (!definition->EncodeRecords(nullptr, kRecordBytes, byteCount)) {
        return false;
    }
    std::vector<unsigned char> records;
    try {
        records.assign(static_cast<std::size_t>(byteCount), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!definition->EncodeRecords(records.data(), kRecordBytes, byteCount)) {
        return false;
    }
    Payload payload;
    for (std::size_t at = 0; at < records.size(); at += kRecordSize) {
        std::copy(records.data() + at, records.data() + at + kRecordSize, payload.begin());
        if (!channel.SendPayload(payload)) {
            return false;
        }
    }
    return true;
}

bool IsKeyEnd(const Payload& payload) {
    return payload[kLeadByte] == ByteOf(Command::KeyEnd);
}

bool IsKeyRecord(const Payload& payload) {
    return payload[kCommandByte] == ByteOf(Command::KeyRecord);
}

// Whether `next` is a further record of the macro that `first` starts: a key record of the same
// layer and key.
bool ContinuesMacro(const Payload& first, const Payload& next) {
    return !IsKeyEnd(next) && IsKeyRecord(next) && next[record::kLayer] == first[record::kLayer] &&
           next[record::kKey] == first[record::kKey];
}

}  // namespace

bool WriteKeyTable(CKeyboardUtil& channel, const KeyTable& keys, WindowHandle window) {
    if (!channel.SendPayload(MakeRequest(Command::BeginKeyWrite))) {
        return false;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!SendSlot(channel, slot, keys[static_cast<std::size_t>(slot)].get())) {
            return false;
        }
        PostProgress(window, slot);
    }
    return channel.SendPayload(MakeKeyEndRequest());
}

bool ReadKeyTable(CKeyboardUtil& channel, KeyTable& keys, WindowHandle window) {
    if (!channel.SendPayload(MakeRequest(Command::ReadKeys))) {
        return false;
    }
    Payload payload;
    // A report that arrived where a macro's next record belonged: read as a report of its own.
    bool readAhead = false;
    while (true) {
        if (!readAhead && !channel.ReceivePayload(payload)) {
            return false;
        }
        readAhead = false;
        if (IsKeyEnd(payload)) {
            return true;
        }
        if (!IsKeyRecord(payload)) {
            continue;
        }
        const int layerNumber = payload[record::kLayer];
        const int key = payload[record::kKey];
        const int kind = payload[record::kKind];
        std::unique_ptr<CKeyDefine> definition = EmptyDefinitionOfKind(kind, layerNumber, key);
        if (definition == nullptr || !IsValidLayerNumber(layerNumber) || !IsValidKey(key)) {
            continue;  // the protocol has no such record: it changes nothing
        }
        std::vector<unsigned char> records(payload.begin(), payload.end());
        if (kind >= kFirstMacroKind) {
            // The macro's further records follow at once. One whose last records never reached
            // the keyboard (a write cut off) is followed by the next key's record instead: the
            // damaged macro is dropped, so the slot keeps what it held, and that record is read
            // as the next key's own.
            const Payload first = payload;
            const int recordCount = MacroRecordCount(MacroBodyLength(first));
            for (int index = 1; index < recordCount && !readAhead; ++index) {
                if (!channel.ReceivePayload(payload)) {
                    return false;
                }
                readAhead = !ContinuesMacro(first, payload);
                if (!readAhead) {
                    records.insert(records.end(), payload.begin(), payload.end());
                }
            }
            if (readAhead) {
                continue;
            }
        }
        definition->DecodeRecords(records.data(), kRecordBytes, static_cast<int>(records.size()));
        const int slot = SlotOf(layerNumber, key);
        keys[static_cast<std::size_t>(slot)] = std::move(definition);
        PostProgress(window, slot);
    }
}

}  // namespace z9rt

// Key records as a keyboard streams them, read into the key table through a channel that
// replays the fuzz input: whatever the reports say, nothing is touched outside the table or a
// report, only the request is sent, the read ends true only at an end marker, and every slot
// read holds a definition of its own layer and key whose records and array read back to the
// same records.
#include "FuzzSupport.h"
#include "TestSupport.h"
#include "keydefine/COrvo.h"
#include "keydefine/KeyDefinitionFactory.h"
#include "transfer/KeyTransfer.h"

#include <memory>
#include <vector>

namespace {

using fuzzsupport::Require;

std::vector<unsigned char> RecordsOf(const CKeyDefine& definition) {
    int byteCount = 0;
    Require(definition.EncodeRecords(nullptr, static_cast<int>(z9rt::kRecordSize), byteCount));
    Require(byteCount > 0 && byteCount % static_cast<int>(z9rt::kRecordSize) == 0);
    std::vector<unsigned char> records(static_cast<std::size_t>(byteCount), 0);
    Require(
        definition.EncodeRecords(records.data(), static_cast<int>(z9rt::kRecordSize), byteCount));
    return records;
}

void CheckSlot(int slot, const CKeyDefine& definition) {
    const int layerNumber = z9rt::LayerNumberOfSlot(slot);
    const int key = z9rt::KeyOfSlot(slot);
    Require(definition.layerNumber == layerNumber && definition.keyNumber == key);
    const std::vector<unsigned char> records = RecordsOf(definition);

    // The records decode to a definition that encodes to the same records ...
    std::unique_ptr<CKeyDefine> decoded =
        z9rt::EmptyDefinitionOfKind(definition.kind, layerNumber, key);
    Require(decoded != nullptr);
    decoded->DecodeRecords(records.data(), static_cast<int>(z9rt::kRecordSize),
                           static_cast<int>(records.size()));
    Require(RecordsOf(*decoded) == records);

    // ... and so does the definition the call interface's array makes.
    std::vector<int> array(static_cast<std::size_t>(definition.ArrayLength()));
    definition.WriteArray(array.data());
    std::unique_ptr<CKeyDefine> fromArray =
        z9rt::DefinitionFromArray(layerNumber, key, array.data());
    Require(fromArray != nullptr && fromArray->kind == definition.kind);
    Require(RecordsOf(*fromArray) == records);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::ScriptedConnection::Script script;
    script.answers = fuzzsupport::PayloadsOf(data, size);
    bool endMarkerCame = false;
    for (const z9rt::Payload& payload : script.answers) {
        endMarkerCame = endMarkerCame || payload[z9rt::kLeadByte] == 0xF6;
    }
    CKeyboardUtil channel(std::make_unique<testsupport::ScriptedConnection>(script));
    z9rt::KeyTable keys;
    const bool ended = z9rt::ReadKeyTable(channel, keys, nullptr);
    Require(!ended || endMarkerCame);
    Require(script.written.size() == 1);
    for (int slot = 0; slot < z9rt::kSlotCount; ++slot) {
        if (const CKeyDefine* definition = keys[static_cast<std::size_t>(slot)].get()) {
            CheckSlot(slot, *definition);
        }
    }
    return 0;
}

#include "model/ReadBackCheck.h"

#include "model/KeyDefinitionArrays.h"

namespace model {
namespace {

std::vector<int> StoredForm(const CKeyboardProfile& profile, int key, int layer,
                            const CKeyCodeTables& codes) {
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    return EncodeKeyAssignment(profile.keyMode[k][l], profile.keyHWCode[k][l],
                               profile.keyList[k][l], codes);
}

}  // namespace

std::vector<KeySlot> DifferingKeySlots(const CKeyboardProfile& written,
                                       const CKeyboardProfile& readBack,
                                       const CKeyCodeTables& codes) {
    std::vector<KeySlot> differing;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const std::vector<int> sent = StoredForm(written, key, layer, codes);
            // A slot that is not set is not written: the keyboard keeps what it had.
            if (!sent.empty() && sent != StoredForm(readBack, key, layer, codes)) {
                differing.push_back({key, layer});
            }
        }
    }
    return differing;
}

std::vector<int> DifferingColours(const CKeyboardProfile& written,
                                  const CKeyboardProfile& readBack) {
    std::vector<int> differing;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const auto k = static_cast<std::size_t>(key);
        if (written.lightColor[k] != readBack.lightColor[k]) {
            differing.push_back(key);
        }
    }
    return differing;
}

}  // namespace model

#include "model/ReadBackCheck.h"

#include "model/SlotComparison.h"

#include <algorithm>

namespace model {

std::vector<KeySlot> DifferingKeySlots(const CKeyboardProfile& written,
                                       const CKeyboardProfile& readBack,
                                       const CKeyCodeTables& codes) {
    std::vector<KeySlot> differing;
    for (const KeySlotDifference& difference :
         DifferingKeySlots(StoredKeyForms(written, codes), StoredKeyForms(readBack, codes))) {
        // A slot that is not set is not written: the keyboard keeps what it had.
        if (difference.sent.kind != KindNotSet) {
            differing.push_back({difference.key, difference.layer});
        }
    }
    // Key by key, each key's layers in order, as the window names them.
    std::sort(differing.begin(), differing.end(), [](const KeySlot& a, const KeySlot& b) {
        return a.key != b.key ? a.key < b.key : a.layer < b.layer;
    });
    return differing;
}

std::vector<int> DifferingColours(const CKeyboardProfile& written,
                                  const CKeyboardProfile& readBack) {
    std::vector<int> differing;
    for (const LightDifference& difference :
         DifferingLights(LightAreaOf(written), LightAreaOf(readBack))) {
        differing.push_back(difference.key);
    }
    return differing;
}

}  // namespace model

// Whether the keyboard holds what was written to it, for the window's verified writes: the
// written configuration and the one read back, compared as SlotComparison.h compares what the
// keyboard stores (names come back as bare codes, a macro keeps no delay after its last event).
#pragma once

#include "model/CodeTables.h"
#include "model/KeyboardProfile.h"

#include <vector>

namespace model {

struct KeySlot {
    int key;
    int layer;

    friend bool operator==(const KeySlot& a, const KeySlot& b) {
        return a.key == b.key && a.layer == b.layer;
    }
};

// The key slots written from `written` (every slot that is set) that the keyboard holds
// otherwise in `readBack`, key by key, layer by layer.
std::vector<KeySlot> DifferingKeySlots(const CKeyboardProfile& written,
                                       const CKeyboardProfile& readBack,
                                       const CKeyCodeTables& codes);

// The keys whose colour came back other than written.
std::vector<int> DifferingColours(const CKeyboardProfile& written,
                                  const CKeyboardProfile& readBack);

}  // namespace model

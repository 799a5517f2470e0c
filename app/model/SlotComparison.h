// Comparing key assignments and colours the way the keyboard stores them, for a write that is
// read back and for two configurations set side by side. What the keyboard cannot tell apart is
// no difference: a macro's delay after its last event (the keyboard keeps none), a name's
// spelling (the keyboard keeps codes; names come back bare), a kind that travels as the same
// code.
#pragma once

#include "model/KeyDefinitionArrays.h"
#include "model/KeyboardProfile.h"

#include <array>
#include <vector>

namespace model {

// One key on one layer whose two forms differ.
struct KeySlotDifference {
    int layer = 0;
    int key = 0;
    KeyReadBack sent;      // what was written, or the first configuration's
    KeyReadBack received;  // what came back, or the second configuration's
};

// One key whose colours differ.
struct LightDifference {
    int key = 0;
    RGBColor sent;
    RGBColor received;
};

// Whether the keyboard stores the two forms alike.
bool SameStoredForm(const KeyReadBack& a, const KeyReadBack& b);

// Every slot (KeySlotIndex order, kKeySlotCount of them) as the keyboard would store the
// encoded keys: each array decoded as a read decodes it; a slot without an array (a key that is
// not set travels as the empty slot) reads back as not set.
std::vector<KeyReadBack> StoredKeyForms(const std::vector<EncodedKeySlot>& slots,
                                        const CKeyCodeTables& codes);
// The same for a profile's assignments.
std::vector<KeyReadBack> StoredKeyForms(const CKeyboardProfile& profile,
                                        const CKeyCodeTables& codes);

// The slots, in slot order, whose forms differ; a slot missing from the shorter list counts as
// a key that is not set.
std::vector<KeySlotDifference> DifferingKeySlots(const std::vector<KeyReadBack>& sent,
                                                 const std::vector<KeyReadBack>& received);

// The keys, in key order, whose colours differ in two light areas (red, green, blue per key;
// each value as the keyboard keeps it, in 8 bits).
std::vector<LightDifference> DifferingLights(const std::array<int, kLightAreaSize>& sent,
                                             const std::array<int, kLightAreaSize>& received);

// The light area of a profile's colours, as a colour write sends it.
std::array<int, kLightAreaSize> LightAreaOf(const CKeyboardProfile& profile);

}  // namespace model

#include "model/SlotComparison.h"

#include <cstddef>

namespace model {

namespace {

constexpr int kStoredColourMask = 0xFF;  // the keyboard keeps 8 bits of each colour value

RGBColor StoredColourAt(const std::array<int, kLightAreaSize>& area, int key) {
    const std::size_t first = FirstLightIndex(key);
    return {area[first] & kStoredColourMask, area[first + 1] & kStoredColourMask,
            area[first + 2] & kStoredColourMask};
}

}  // namespace

bool SameStoredForm(const KeyReadBack& a, const KeyReadBack& b) {
    if (a.kind != b.kind || a.hwCode != b.hwCode || a.list.has_value() != b.list.has_value()) {
        return false;
    }
    // The view fields of a list are the window's, not the keyboard's.
    return !a.list || CItemList::SameContent(*a.list, *b.list);
}

std::vector<KeyReadBack> StoredKeyForms(const std::vector<EncodedKeySlot>& slots,
                                        const CKeyCodeTables& codes) {
    std::vector<KeyReadBack> forms(kKeySlotCount);
    for (const EncodedKeySlot& slot : slots) {
        const std::size_t index = KeySlotIndex(slot.layer, slot.key);
        if (index < forms.size()) {
            forms[index] = DecodeKeyDefinition(slot.array.data(), slot.array.size(), codes);
        }
    }
    return forms;
}

std::vector<KeyReadBack> StoredKeyForms(const CKeyboardProfile& profile,
                                        const CKeyCodeTables& codes) {
    return StoredKeyForms(EncodeKeySlots(profile, codes), codes);
}

std::vector<KeySlotDifference> DifferingKeySlots(const std::vector<KeyReadBack>& sent,
                                                 const std::vector<KeyReadBack>& received) {
    static const KeyReadBack notSet;
    auto at = [](const std::vector<KeyReadBack>& forms, std::size_t slot) -> const KeyReadBack& {
        return slot < forms.size() ? forms[slot] : notSet;
    };
    std::vector<KeySlotDifference> differences;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const std::size_t slot = KeySlotIndex(layer, key);
            if (!SameStoredForm(at(sent, slot), at(received, slot))) {
                differences.push_back({layer, key, at(sent, slot), at(received, slot)});
            }
        }
    }
    return differences;
}

std::vector<LightDifference> DifferingLights(const std::array<int, kLightAreaSize>& sent,
                                             const std::array<int, kLightAreaSize>& received) {
    std::vector<LightDifference> differences;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor before = StoredColourAt(sent, key);
        const RGBColor after = StoredColourAt(received, key);
        if (before != after) {
            differences.push_back({key, before, after});
        }
    }
    return differences;
}

std::array<int, kLightAreaSize> LightAreaOf(const CKeyboardProfile& profile) {
    std::array<int, kLightAreaSize> area{};
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor& color = profile.lightColor[static_cast<std::size_t>(key)];
        const std::size_t first = FirstLightIndex(key);
        area[first] = color.Red;
        area[first + 1] = color.Green;
        area[first + 2] = color.Blue;
    }
    return area;
}

}  // namespace model

#include "model/KeyDefinitionArrays.h"

#include "model/AssignmentRules.h"
#include "model/WideText.h"

#include <algorithm>

namespace model {

using namespace keyarray;

namespace {

// View sizes of the lists that a read-back creates, as the key settings pages show them.
constexpr int kComboRows = 6;
constexpr int kListRows = 9;

std::size_t ClampedCount(int count, std::size_t limit) {
    return std::min(static_cast<std::size_t>(std::max(count, 0)), limit);
}

void AppendItemCodes(std::vector<int>& array, const std::vector<std::wstring>& items,
                     std::size_t count, const CKeyCodeTables& codes) {
    for (std::size_t i = 0; i < count; ++i) {
        array.push_back(codes.HWCodeOfName(items[i]));
    }
}

std::vector<int> EncodeCombo(const CItemList& list, const CKeyCodeTables& codes) {
    const std::size_t count = ClampedCount(list.Count(), kMaxKeysCodes);
    std::vector<int> array{kSelectorKeys, static_cast<int>(count)};
    AppendItemCodes(array, list.Items(), count, codes);
    return array;
}

std::vector<int> EncodeEmulation(const CItemList& list, const CKeyCodeTables& codes) {
    const std::size_t count = ClampedCount(list.Count(), kMaxRepeatedCodes);
    std::vector<int> array{kSelectorRepeated, list.Delay, static_cast<int>(count)};
    AppendItemCodes(array, list.Items(), count, codes);
    return array;
}

std::vector<int> EncodeMacro(const CItemList& list, const CKeyCodeTables& codes) {
    // With recorded delays the items alternate event and delay, event first and last, so
    // (n + 1) / 2 of them are events.
    const bool withDelays = !list.IsAutoInterval;
    const std::size_t itemLimit =
        withDelays ? 2 * (kMaxMacroBytes / kMacroBytesPerDelayedEvent) - 1 : kMaxMacroBytes;
    const std::size_t count = ClampedCount(list.Count(), itemLimit);
    const int events = static_cast<int>(withDelays ? (count + 1) / 2 : count);
    std::vector<int> array{kSelectorMacro,
                           list.PlayMode,
                           list.PlayMode == 0 ? list.Cycles : 0,
                           withDelays ? 1 : 0,
                           withDelays ? 0 : list.Delay,
                           events};
    AppendItemCodes(array, list.Items(), count, codes);
    if (withDelays) {
        // A delay travels in 16 bits. One beyond them (a hand-made profile) is clamped, as the
        // key settings page and its delay editor clamp delays, rather than cut to its low bits
        // (70000 ms would play as 4464 ms).
        for (std::size_t at = kMacroFirstEvent + 1; at < array.size(); at += 2) {
            array[at] = std::clamp(array[at], 0, kMacroDelayMax);
        }
    }
    return array;
}

std::vector<int> EncodeSingle(int hwCode) {
    if (hwCode == kHWCodeDoubleClick) {
        return {kSelectorKeys, 2, kHWCodeMouseKeyLeft, kHWCodeMouseKeyLeft};
    }
    return {kSelectorKeys, 1, hwCode};
}

// A new read-back list: the given view size and playback values, no items yet.
CItemList NewList(int rows) {
    CItemList list;
    list.SizeOfView = rows;
    return list;
}

// The array the library filled; elements beyond its capacity read as 0.
class DefinitionArray {
public:
    DefinitionArray(const int* array, std::size_t capacity)
        : array_(array), capacity_(array == nullptr ? 0 : capacity) {}

    int operator[](std::size_t index) const { return index < capacity_ ? array_[index] : 0; }

    // How many of `count` elements, `stride` apart from `first` on, lie inside the array.
    std::size_t Fitting(int count, std::size_t first, std::size_t stride) const {
        if (count <= 0 || first >= capacity_) {
            return 0;
        }
        const std::size_t room = (capacity_ - first - 1) / stride + 1;
        return std::min(static_cast<std::size_t>(count), room);
    }

private:
    const int* array_;
    std::size_t capacity_;
};

// Appends the names of `count` codes from element `first` on, as a read-back list has them.
void AppendCodeNames(CItemList& list, const DefinitionArray& array, std::size_t first, int count,
                     const CKeyCodeTables& codes) {
    const std::size_t fitting = array.Fitting(count, first, 1);
    for (std::size_t i = 0; i < fitting; ++i) {
        list.Append(codes.NameOfHWCode(array[first + i]));
    }
}

KeyReadBack DecodeKeys(const DefinitionArray& array, const CKeyCodeTables& codes) {
    KeyReadBack readBack;
    const int count = array[kKeysCount];
    if (count == 0) {
        return readBack;
    }
    if (count == 1) {
        const int hwCode = array[kKeysFirstCode];
        readBack.kind = KindOfReadBackCode(hwCode);
        readBack.hwCode = hwCode;
        return readBack;
    }
    if (count == 2 && array[kKeysFirstCode] == kHWCodeMouseKeyLeft &&
        array[kKeysFirstCode + 1] == kHWCodeMouseKeyLeft) {
        readBack.kind = KindMouse;
        readBack.hwCode = kHWCodeDoubleClick;
        return readBack;
    }
    CItemList list = NewList(kComboRows);
    AppendCodeNames(list, array, kKeysFirstCode, count, codes);
    readBack.kind = KindCombo;
    readBack.list = std::move(list);
    return readBack;
}

KeyReadBack DecodeRepeated(const DefinitionArray& array, const CKeyCodeTables& codes) {
    KeyReadBack readBack;
    const int count = array[kRepeatedCount];
    if (count == 0) {
        return readBack;
    }
    CItemList list = NewList(kListRows);
    list.Delay = array[kRepeatedInterval];
    AppendCodeNames(list, array, kRepeatedFirstCode, count, codes);
    readBack.kind = KindEmulation;
    readBack.list = std::move(list);
    return readBack;
}

KeyReadBack DecodeMacro(const DefinitionArray& array, const CKeyCodeTables& codes) {
    KeyReadBack readBack;
    const int events = array[kMacroEventCount];
    if (events == 0) {
        return readBack;
    }
    CItemList list = NewList(kListRows);
    list.PlayMode = array[kMacroPlayMode];
    list.Cycles = array[kMacroCycles];
    list.IsAutoInterval = array[kMacroDelaysFlag] == 0;
    list.Delay = array[kMacroInterval];
    if (list.IsAutoInterval) {
        AppendCodeNames(list, array, kMacroFirstEvent, events, codes);
    } else {
        // Event 0, then for each further event the delay before it and its code.
        const std::size_t fitting = array.Fitting(events, kMacroFirstEvent, 2);
        for (std::size_t i = 0; i < fitting; ++i) {
            const std::size_t code = kMacroFirstEvent + 2 * i;
            if (i > 0) {
                list.Append(DelayItemText(array[code - 1]));
            }
            list.Append(codes.NameOfHWCode(array[code]));
        }
    }
    readBack.kind = KindMacro;
    readBack.list = std::move(list);
    return readBack;
}

}  // namespace

std::vector<int> EncodeKeyAssignment(int kind, int hwCode, const CItemList& list,
                                     const CKeyCodeTables& codes) {
    switch (kind) {
        case KindCombo:
            return EncodeCombo(list, codes);
        case KindMacro:
            return EncodeMacro(list, codes);
        case KindEmulation:
            return EncodeEmulation(list, codes);
        default:
            return kind <= KindNotSet ? std::vector<int>() : EncodeSingle(hwCode);
    }
}

std::vector<EncodedKeySlot> EncodeKeySlots(const CKeyboardProfile& profile,
                                           const CKeyCodeTables& codes) {
    std::vector<EncodedKeySlot> slots;
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            std::vector<int> array = EncodeKeyAssignment(
                profile.keyMode[k][l], profile.keyHWCode[k][l], profile.keyList[k][l], codes);
            if (!array.empty()) {
                slots.push_back({layer, key, std::move(array)});
            }
        }
    }
    return slots;
}

KeyReadBack DecodeKeyDefinition(const int* array, std::size_t capacity,
                                const CKeyCodeTables& codes) {
    const DefinitionArray elements(array, capacity);
    switch (elements[kSelector]) {
        case kSelectorKeys:
            return DecodeKeys(elements, codes);
        case kSelectorRepeated:
            return DecodeRepeated(elements, codes);
        case kSelectorMacro:
            return DecodeMacro(elements, codes);
        default:
            return {};
    }
}

void ApplyKeyReadBack(CKeyboardProfile& profile, int key, int layer, const KeyReadBack& readBack) {
    if (!IsKeyNumber(key) || !IsLayer(layer)) {
        return;
    }
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    profile.keyMode[k][l] = readBack.kind;
    if (readBack.hwCode) {
        profile.keyHWCode[k][l] = *readBack.hwCode;
    }
    if (readBack.list) {
        profile.keyList[k][l] = *readBack.list;
    }
}

}  // namespace model

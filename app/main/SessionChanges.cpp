#include "SessionChanges.h"

using model::CKeyboardProfile;

namespace {

bool SlotDiffers(const CKeyboardProfile& a, const CKeyboardProfile& b, std::size_t key,
                 std::size_t layer) {
    return a.keyMode[key][layer] != b.keyMode[key][layer] ||
           a.keyHWCode[key][layer] != b.keyHWCode[key][layer] ||
           !(a.keyList[key][layer] == b.keyList[key][layer]);
}

}  // namespace

int KeepChangesOfThisRun(CKeyboardProfile& readBack, const CKeyboardProfile& beforeRead,
                         const CKeyboardProfile& runStart) {
    int kept = 0;
    for (std::size_t key = 0; key < readBack.keyMode.size(); ++key) {
        for (std::size_t layer = 0; layer < readBack.keyMode[key].size(); ++layer) {
            if (SlotDiffers(beforeRead, runStart, key, layer)) {
                readBack.keyMode[key][layer] = beforeRead.keyMode[key][layer];
                readBack.keyHWCode[key][layer] = beforeRead.keyHWCode[key][layer];
                readBack.keyList[key][layer] = beforeRead.keyList[key][layer];
                ++kept;
            }
        }
        if (beforeRead.lightColor[key] != runStart.lightColor[key]) {
            readBack.lightColor[key] = beforeRead.lightColor[key];
            ++kept;
        }
    }
    return kept;
}

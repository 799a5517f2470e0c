#include "model/KeyKinds.h"

namespace model {

namespace {

struct CodeRange {
    int first;
    int last;
    KeyKind kind;
};

// Tested in this order; the first range holding the code decides.
constexpr CodeRange kCodeRanges[] = {
    {75, 77, KindPower},   {1, 107, KindSingle},     {108, 125, KindMultimedia},
    {126, 134, KindMouse}, {135, 198, KindFunction},
};

// Function-row codes that the keyboard treats as mouse settings.
constexpr int kMouseSettingCodes[] = {157, 158, 173};

}  // namespace

KeyKind KindOfReadBackCode(int hwCode) {
    for (int code : kMouseSettingCodes) {
        if (hwCode == code) {
            return KindMouse;
        }
    }
    for (const CodeRange& range : kCodeRanges) {
        if (hwCode >= range.first && hwCode <= range.last) {
            return range.kind;
        }
    }
    return KindSingle;  // 0, negative codes and 199 and above
}

KeyKind KindOfHWCode(int hwCode) {
    return hwCode == 0 ? KindNotSet : KindOfReadBackCode(hwCode);
}

const char* LayerName(int layer) {
    static const char* const kLayerNames[kLayerCount] = {"NoneFn", "RightFn", "LeftFn"};
    return IsLayer(layer) ? kLayerNames[layer] : "";
}

}  // namespace model

// The virtual keyboard's face in design coordinates: a full-size keyboard of 104 keys (main
// block, navigation block, numeric pad), each standing for the keyboard's HW code, with the
// close box, "OK", "Cancel" and the title. Shared by the dialog and the artwork generator.
#pragma once

#include "SkinLayout.h"

#include <array>
#include <vector>

namespace virtualkbd {

constexpr skin::FaceSize kFaceSize{936, 356};
constexpr int kItemCapacity = 110;
constexpr int kKeyCount = 104;

constexpr int kImageSelected = 157;
constexpr int kImageBackground = 158;
constexpr int kImageHover = 159;

// Buttons; the key standing for the n-th entry of Keys() has the id kFirstKeyId + n.
enum ItemId : int {
    kIdClose = 88,
    kIdOk = 89,
    kIdCancel = 90,
    kFirstKeyId = 100,
    kLastKeyId = kFirstKeyId + kKeyCount - 1,
};

// The display line (a read-only text box) left of the buttons.
constexpr skin::DesignRect kDisplayLineRect{20, 305, 520, 337};
constexpr int kDisplayLineFontSize = 15;

struct VirtualKey {
    int hwCode;
    const char* caption;  // the same in both languages; the pictures show it
    skin::DesignRect rect;
};

// The 104 keys in item order: HW codes 1..74 (main block), 78..90 (navigation block), 91..107
// (numeric pad). Codes 75, 76 and 77 have no key here.
const std::array<VirtualKey, kKeyCount>& Keys();

// The element id of the key standing for a HW code; -1 when the picture has no such key.
int KeyItemId(int hwCode);

// Every element of the window in table order: close box, "OK", "Cancel", the title and the two
// button captions, then the keys.
std::vector<skin::ItemSpec> VirtualKeyboardItems();

}  // namespace virtualkbd

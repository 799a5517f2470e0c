// The multi-key light selection window's face in design coordinates: the close box, "Set Color"
// with its caption, the title and the 82 keys. Shared by the window and the artwork generator.
#pragma once

#include "BacklightKeys.h"
#include "SkinLayout.h"

#include <vector>

namespace backlight {

constexpr skin::FaceSize kMultiSelectFaceSize{860, 420};
constexpr int kMultiSelectItemCapacity = 88;

constexpr int kMultiSelectImageBackground = 142;
// Buttons highlighted and keys marked: the hover and the selected look at once.
constexpr int kMultiSelectImageMarked = 143;

enum MultiSelectId : int {
    kIdMultiClose = 88,
    kIdSetColor = 97,
};

// Close box, "Set Color", the title, the caption of "Set Color", then the keys.
std::vector<skin::ItemSpec> MultiSelectItems();

}  // namespace backlight

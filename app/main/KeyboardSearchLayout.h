// The small notice shown while start-up looks for the keyboard, in design coordinates, shared by
// the notice and the artwork generator.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace keyboard_search {

constexpr skin::FaceSize kFaceSize{400, 120};
constexpr int kImageBackground = 160;

enum ItemId : int {
    kLabelChinese = 1,
    kLabelEnglish = 2,
};

// The key cap the artwork draws under a magnifying glass, left of the two lines.
constexpr skin::DesignRect kKeyCapRect{26, 34, 82, 86};

// The two lines, one per language: both show, since the language is chosen only later.
std::vector<skin::ItemSpec> KeyboardSearchItems();

}  // namespace keyboard_search

// The 82 key elements both backlight windows share: the keyboard as their pictures show it, in
// design coordinates. Key k is the element with id 99 + k and key value k.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace backlight {

constexpr int kKeyCount = 82;
constexpr int kFirstKeyId = 100;
// Colour key of both windows' pictures: pixels of exactly this colour are holes.
constexpr skin::Rgb kColorKey{1, 3, 255};

constexpr int KeyItemId(int key) {
    return kFirstKeyId - 1 + key;
}

// Key 1..82's rectangle; all -1 for a number that is no key.
skin::DesignRect KeyRect(int key);
// The key elements in ascending key order, each captioned with its key's name.
std::vector<skin::ItemSpec> KeyItems();

}  // namespace backlight

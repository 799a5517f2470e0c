#include "KeyboardSearchLayout.h"

namespace keyboard_search {

std::vector<skin::ItemSpec> KeyboardSearchItems() {
    constexpr unsigned kLeftMiddle =
        skin::text_format::kLeft | skin::text_format::kVCenter | skin::text_format::kSingleLine;
    skin::ItemSpec chinese;
    chinese.id = kLabelChinese;
    chinese.rect = {110, 30, 380, 58};
    chinese.captionZh = "正在查找键盘…";
    chinese.captionEn = chinese.captionZh;
    chinese.isLabel = true;
    chinese.textFormat = kLeftMiddle;
    chinese.fontIndex = 18;
    chinese.textColor = {0xec, 0xec, 0xee};

    skin::ItemSpec english;
    english.id = kLabelEnglish;
    english.rect = {110, 62, 380, 88};
    english.captionZh = "Looking for the keyboard…";
    english.captionEn = english.captionZh;
    english.isLabel = true;
    english.textFormat = kLeftMiddle;
    english.fontIndex = 15;
    return {chinese, english};
}

}  // namespace keyboard_search

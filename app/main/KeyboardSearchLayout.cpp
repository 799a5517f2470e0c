#include "KeyboardSearchLayout.h"

namespace keyboard_search {
namespace {

// A line of the notice, left-aligned and centred in its height, the same in both languages.
skin::ItemSpec Line(int id, skin::DesignRect rect, const char* text, int fontIndex,
                    skin::Rgb color) {
    skin::ItemSpec line;
    line.id = id;
    line.rect = rect;
    line.captionZh = text;
    line.captionEn = text;
    line.isLabel = true;
    line.textFormat =
        skin::text_format::kLeft | skin::text_format::kVCenter | skin::text_format::kSingleLine;
    line.fontIndex = fontIndex;
    line.textColor = color;
    return line;
}

}  // namespace

std::vector<skin::ItemSpec> KeyboardSearchItems() {
    constexpr skin::Rgb kBright{0xec, 0xec, 0xee};
    return {Line(kLabelChinese, {110, 30, 380, 58}, "正在查找键盘…", 18, kBright),
            Line(kLabelEnglish, {110, 62, 380, 88}, "Looking for the keyboard…", 15,
                 skin::kDefaultTextColor)};
}

}  // namespace keyboard_search

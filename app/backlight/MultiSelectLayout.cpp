#include "MultiSelectLayout.h"

namespace backlight {

std::vector<skin::ItemSpec> MultiSelectItems() {
    std::vector<skin::ItemSpec> items;
    items.reserve(kMultiSelectItemCapacity);
    items.push_back(skin::ButtonSpec(kIdMultiClose, {815, 9, 848, 45}));
    items.push_back(skin::ButtonSpec(kIdSetColor, {350, 46, 502, 80}));
    items.push_back(
        skin::LabelSpec(kIdMultiClose, "多键设置面板", "Set Multi Key", {350, 13, 502, 45}));
    items.push_back(skin::LabelSpec(kIdSetColor, "设置", "Set Color", {355, 55, 502, 80}));
    for (const skin::ItemSpec& key : KeyItems()) {
        items.push_back(key);
    }
    return items;
}

}  // namespace backlight

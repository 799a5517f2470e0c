#include "BacklightLayout.h"

namespace backlight {

using skin::ButtonSpec;
using skin::LabelSpec;

std::vector<skin::ItemSpec> SettingsItems() {
    std::vector<skin::ItemSpec> items;
    items.reserve(kSettingsItemCapacity);
    items.push_back(ButtonSpec(kIdClose, {818, 12, 838, 32}));
    items.push_back(ButtonSpec(kIdRead, {388, 420, 473, 454}));
    items.push_back(ButtonSpec(kIdDefault, {73, 420, 158, 454}));
    items.push_back(ButtonSpec(kIdWrite, {493, 420, 578, 454}));
    items.push_back(ButtonSpec(kIdCancel, {703, 420, 788, 454}));
    items.push_back(ButtonSpec(kIdOk, {598, 420, 683, 454}));
    items.push_back(ButtonSpec(kIdSetAll, {178, 420, 263, 454}));
    items.push_back(ButtonSpec(kIdMultiKey, {283, 420, 368, 454}));

    items.push_back(LabelSpec(kIdClose, "背光设置面板", "BackLight Settings", {350, 13, 502, 45}));
    items.push_back(LabelSpec(kIdRead, "读取背光", "Read", {393, 428, 475, 454}));
    items.push_back(LabelSpec(kIdDefault, "恢复默认", "Default", {78, 428, 160, 454}));
    items.push_back(LabelSpec(kIdWrite, "写入背光", "Write", {498, 428, 580, 454}));
    items.push_back(LabelSpec(kIdCancel, "取消", "Cancel", {708, 428, 790, 454}));
    items.push_back(LabelSpec(kIdOk, "确定", "OK", {603, 428, 685, 454}));
    items.push_back(LabelSpec(kIdSetAll, "全域设置", "Set All", {183, 428, 265, 454}));
    items.push_back(LabelSpec(kIdMultiKey, "多键设置", "Multi Key", {288, 428, 370, 454}));

    // The window writes this line's text as the pointer moves over the keys.
    skin::ItemSpec colourLine = LabelSpec(kLabelKeyColour, "", "", kKeyColourText);
    colourLine.textFormat =
        skin::text_format::kLeft | skin::text_format::kVCenter | skin::text_format::kSingleLine;
    colourLine.textColor = kKeyColourTextColor;
    items.push_back(colourLine);

    for (const skin::ItemSpec& key : KeyItems()) {
        items.push_back(key);
    }
    return items;
}

}  // namespace backlight

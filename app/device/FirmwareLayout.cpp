#include "FirmwareLayout.h"

namespace firmware {

std::vector<skin::ItemSpec> FirmwareItems() {
    using skin::LabelSpec;
    std::vector<skin::ItemSpec> items;
    items.reserve(kItemCapacity);
    items.push_back(skin::ButtonSpec(kIdClose, {332, 9, 355, 45}));
    // The buttons' own captions are never drawn: the labels below carry their texts.
    items.push_back(
        skin::ButtonSpec(kIdGetVersion, {220, 70, 333, 100}, "获取固件版本", "Default"));
    items.push_back(skin::ButtonSpec(kIdOpen, {270, 108, 333, 140}, "打开", "Open"));
    items.push_back(skin::ButtonSpec(kIdUpdate, {47, 201, 129, 235}, "更新", "Update"));
    items.push_back(skin::ButtonSpec(kIdCancel, {237, 201, 327, 235}, "取消", "Cancel"));

    items.push_back(LabelSpec(kLabelFile, "载入文件：", "File", {42, 116, 119, 135}));
    items.push_back(LabelSpec(kLabelTitle, "键盘固件升级", "Firmware Update", {100, 13, 266, 45}));
    items.push_back(
        LabelSpec(kLabelGetVersion, "获取固件版本", "Get Version", {220, 76, 333, 100}));
    items.push_back(LabelSpec(kLabelOpen, "打开", "Open", {270, 116, 333, 138}));
    items.push_back(LabelSpec(kLabelUpdate, "更新", "Update", {47, 209, 129, 235}));
    items.push_back(LabelSpec(kLabelCancel, "取消", "Cancel", {237, 209, 327, 235}));
    return items;
}

}  // namespace firmware

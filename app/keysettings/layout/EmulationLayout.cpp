// Page 3: the emulation library with New and Remove, the recorded keys, the interval's caption
// (the edit sits in it) and the record button.
#include "KeySettingsLayout.h"
#include "LayoutParts.h"

namespace keysettings {

std::vector<skin::ItemSpec> EmulationItems() {
    using skin::ButtonSpec;
    using skin::LabelSpec;
    using skin::text_format::kLeft;
    std::vector<skin::ItemSpec> items;
    items.push_back(ButtonSpec(kIdEmuDelayBox, {383, 110, 467, 140}));
    items.push_back(ButtonSpec(kIdRecordEmu, {383, 150, 538, 176}));
    items.push_back(ButtonSpec(kIdNewEmu, {45, 258, 105, 288}));
    items.push_back(ButtonSpec(kIdDeleteEmu, {114, 258, 174, 288}));
    layout_parts::AppendListRows(items, kIdFirstEmuRow, kEmuLibrary.rows, 37, 178);
    layout_parts::AppendListRows(items, kIdFirstEmuContentRow, kContentRows, 213, 355);

    items.push_back(LabelSpec(kLabelEmuDelay, "延时", "Delay", {387, 112, 447, 130}));
    layout_parts::AppendRecordLabels(items, kLabelEmuRecordStart, kLabelEmuRecordStop,
                                     {383, 154, 538, 176});
    items.push_back(LabelSpec(kLabelEmuDelay, "毫秒", "ms", {510, 112, 550, 130}));
    items.push_back(LabelSpec(kLabelNewEmu, "新建", "New", {45, 264, 105, 288}));
    items.push_back(LabelSpec(kLabelDeleteEmu, "删除", "Remove", {114, 264, 174, 288}));
    items.push_back(
        LabelSpec(kLabelEmuList, "模拟击键列表", "Emu List", {37, 95, 178, 111}, kLeft));
    items.push_back(
        LabelSpec(kLabelEmuRecordList, "录制框", "Record List", {213, 95, 355, 111}, kLeft));
    return items;
}

}  // namespace keysettings

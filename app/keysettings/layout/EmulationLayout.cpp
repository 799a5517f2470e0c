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
    items.push_back(ButtonSpec(kIdNewEmu, layout_parts::kNewButton));
    items.push_back(ButtonSpec(kIdDeleteEmu, layout_parts::kRemoveButton));
    layout_parts::AppendLibraryRows(items, kEmuLibrary, kContentRows);

    items.push_back(LabelSpec(kLabelEmuDelay, "延时", "Delay", {387, 112, 447, 130}));
    layout_parts::AppendRecordLabels(items, kLabelEmuRecordStart, kLabelEmuRecordStop,
                                     {383, 154, 538, 176});
    items.push_back(LabelSpec(kLabelEmuDelay, "毫秒", "ms", {510, 112, 550, 130}));
    items.push_back(LabelSpec(kLabelNewEmu, "新建", "New", layout_parts::kNewCaption));
    items.push_back(LabelSpec(kLabelDeleteEmu, "删除", "Remove", layout_parts::kRemoveCaption));
    items.push_back(
        LabelSpec(kLabelEmuList, "模拟击键列表", "Emu List", layout_parts::kLibraryTitle, kLeft));
    items.push_back(LabelSpec(kLabelEmuRecordList, "录制框", "Record List",
                              layout_parts::kContentTitle, kLeft));
    return items;
}

}  // namespace keysettings

// Page 1: the single/combination switch, the single key's capture and virtual keyboard buttons,
// the combination library with New and Delete, and the combination's record box.
#include "KeySettingsLayout.h"
#include "LayoutParts.h"

namespace keysettings {
namespace {

using layout_parts::kGreen;
using layout_parts::Row;
using skin::ButtonSpec;
using skin::ItemSpec;
using skin::LabelSpec;

constexpr int kRowPitch = 16;

}  // namespace

std::vector<ItemSpec> SingleComboItems() {
    using skin::text_format::kCenter;
    using skin::text_format::kLeft;
    std::vector<ItemSpec> items;
    items.push_back(ButtonSpec(kIdSingleSwitch, {50, 100, 110, 125}));
    items.push_back(ButtonSpec(kIdComboSwitch, {210, 100, 275, 125}));
    items.push_back(ButtonSpec(kIdSinglePrompt, {45, 135, 160, 155}));
    items.push_back(ButtonSpec(kIdCaptureSingle, {43, 204, 165, 238}));
    items.push_back(ButtonSpec(kIdNewCombo, {220, 242, 280, 278}));
    items.push_back(ButtonSpec(kIdDeleteCombo, {290, 242, 350, 278}));
    items.push_back(ButtonSpec(kIdRecordCombo, {375, 204, 525, 238}));
    items.push_back(ButtonSpec(kIdVirtualSingle, {43, 242, 165, 278}));
    items.push_back(ButtonSpec(kIdVirtualCombo, {375, 242, 525, 278}));
    for (int k = 0; k < kComboLibrary.rows; ++k) {
        const int top = 136 + kRowPitch * k;
        items.push_back(Row(kIdFirstComboRow + k, {214, top, 355, top + 15}, kLeft));
    }
    for (int k = 0; k < kRecordRows; ++k) {
        const int top = 136 + kRowPitch * k;
        items.push_back(Row(kIdFirstRecordRow + k, {378, top, 522, top + 15}, kCenter));
    }

    ItemSpec single = LabelSpec(kLabelSingle, "单键", "Single", {70, 104, 130, 125});
    single.selectedTextColor = kGreen;
    items.push_back(single);
    ItemSpec combo = LabelSpec(kLabelCombo, "组合键", "Combo", {230, 104, 275, 125});
    combo.selectedTextColor = kGreen;
    items.push_back(combo);
    items.push_back(
        LabelSpec(kLabelSinglePrompt, "请输入一个单键：", "Press a key:", {45, 135, 160, 155}));
    layout_parts::AppendRecordLabels(items, kLabelCaptureStart, kLabelCaptureStop,
                                     {43, 212, 165, 238});
    items.push_back(LabelSpec(kLabelNewCombo, "新建", "New", {220, 250, 280, 278}));
    items.push_back(LabelSpec(kLabelDeleteCombo, "删除", "Delete", {290, 250, 350, 278}));
    items.push_back(LabelSpec(kLabelSingleKey, "", "", {48, 166, 160, 188}));
    layout_parts::AppendRecordLabels(items, kLabelRecordStart, kLabelRecordStop,
                                     {375, 212, 525, 238});
    items.push_back(
        LabelSpec(kLabelComboList, "组合键列表", "Combo List", {214, 118, 355, 134}, kLeft));
    items.push_back(
        LabelSpec(kLabelRecordList, "录制框", "Record List", {378, 118, 522, 134}, kLeft));
    items.push_back(
        LabelSpec(kLabelVirtualSingle, "虚拟键盘输入", "Virtual Key Input", {43, 250, 165, 278}));
    items.push_back(
        LabelSpec(kLabelVirtualCombo, "虚拟键盘输入", "Virtual Key Input", {375, 250, 525, 278}));
    return items;
}

}  // namespace keysettings

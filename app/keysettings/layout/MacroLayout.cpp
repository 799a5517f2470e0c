// Page 2: the macro library with New and Remove, the recorded macro's items, the three play
// modes, the choice between one fixed interval and the recorded delays, the repeat count and
// interval captions (the edits sit between them), the record button and the hint.
#include "KeySettingsLayout.h"
#include "LayoutParts.h"
#include "keysettings/logic/MacroPageTexts.h"

namespace keysettings {

namespace {

constexpr int kPlaybackCaptionsRight = 556;

}  // namespace

std::vector<skin::ItemSpec> MacroItems() {
    using skin::ButtonSpec;
    using skin::LabelSpec;
    using skin::text_format::kLeft;
    std::vector<skin::ItemSpec> items;
    items.push_back(ButtonSpec(kIdPlayTimes, {390, 115, 405, 130}));
    items.push_back(ButtonSpec(kIdFixedInterval, {390, 175, 405, 190}));
    items.push_back(ButtonSpec(kIdNewMacro, layout_parts::kNewButton));
    items.push_back(ButtonSpec(kIdDeleteMacro, layout_parts::kRemoveButton));
    items.push_back(ButtonSpec(kIdRecordMacro, {385, 215, 539, 248}));
    items.push_back(ButtonSpec(kIdPlayWhileHeld, {390, 135, 405, 150}));
    items.push_back(ButtonSpec(kIdPlayToggle, {390, 155, 405, 170}));
    items.push_back(ButtonSpec(kIdRecordedDelays, {390, 195, 405, 210}));
    layout_parts::AppendLibraryRows(items, kMacroLibrary, kContentRows);

    items.push_back(
        LabelSpec(kLabelPlayTimes, "次数播放", "Times Play", {407, 111, 475, 129}, kLeft));
    items.push_back(
        LabelSpec(kLabelFixedInterval, "自动延时", "Auto delay", {407, 174, 475, 192}, kLeft));
    items.push_back(LabelSpec(kLabelNewMacro, "新建", "New", layout_parts::kNewCaption));
    items.push_back(LabelSpec(kLabelDeleteMacro, "删除", "Remove", layout_parts::kRemoveCaption));
    layout_parts::AppendRecordLabels(items, kLabelMacroRecordStart, kLabelMacroRecordStop,
                                     {385, 224, 539, 248});
    items.push_back(LabelSpec(kLabelMacroHint, kMacroHintZh, kMacroHintEn, {230, 254, 539, 308},
                              skin::text_format::kVCenter));
    items.push_back(
        LabelSpec(kLabelMacroList, "宏列表", "Macro List", layout_parts::kLibraryTitle, kLeft));
    items.push_back(LabelSpec(kLabelMacroRecordList, "录制框", "Record List",
                              layout_parts::kContentTitle, kLeft));
    // The captions along the right of the playback box end inside it (a longer caption is
    // drawn smaller), clear of its rim.
    items.push_back(LabelSpec(kLabelPlayWhileHeld, "按下播放，释放停止", "Press play, release stop",
                              {407, 132, kPlaybackCaptionsRight, 150}, kLeft));
    items.push_back(LabelSpec(kLabelPlayToggle, "按键开/关播放", "Press to play/stop",
                              {407, 153, 520, 171}, kLeft));
    items.push_back(
        LabelSpec(kLabelRecordedDelays, "记录延时", "Record delay", {407, 195, 510, 213}, kLeft));
    items.push_back(
        LabelSpec(kLabelTimes, "次", "times", {522, 111, kPlaybackCaptionsRight, 129}, kLeft));
    items.push_back(LabelSpec(kLabelFixedInterval, "毫秒", "ms",
                              {522, 174, kPlaybackCaptionsRight, 192}, kLeft));
    return items;
}

}  // namespace keysettings

// Texts of the macro page that are not names of keys: the hint under the content list.
#pragma once

namespace keysettings {

// The hint (UTF-8, "\n" breaks the line).
inline constexpr const char* kMacroHintZh =
    "温馨提示：录制框中单击鼠标右键可插入鼠标功能\n"
    "录制框中选中延时参数并双击鼠标左键可对其编辑";
inline constexpr const char* kMacroHintEn =
    "Tip:Right of mouse click to insert mouse actions in\n"
    "record list. Select delay parameter and double click\n"
    "left of mouse to edit in record list.";

}  // namespace keysettings

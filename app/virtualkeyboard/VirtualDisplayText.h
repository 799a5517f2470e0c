// The virtual keyboard's display line: the key or keys chosen so far, by name.
#pragma once

#include <string>

class CKeyboardConfig;

namespace virtualkbd {

enum SelectMode : int {
    kModeSingle = 1,       // one key, in virtualSingle
    kModeCombination = 2,  // up to six keys in order, in virtualCombo and virtualComboCount
};

// "Single:A" or "Combo:Ctrl+Alt+Delete" (in Chinese "单键：A", "组合键：..."), with "-- --" for no
// key; empty for any other mode. "zh-CN" is Chinese, any other language English.
std::wstring DisplayText(int selectMode, const std::string& language,
                         const CKeyboardConfig& config);

}  // namespace virtualkbd

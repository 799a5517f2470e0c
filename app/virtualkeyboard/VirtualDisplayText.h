// The virtual keyboard's display line: the key or keys chosen so far, by name.
#pragma once

#include "model/VirtualPick.h"

#include <string>

namespace model {
class CKeyCodeTables;
}

namespace virtualkbd {

enum SelectMode : int {
    kModeSingle = 1,       // one key, in VirtualPick::single
    kModeCombination = 2,  // up to six keys in order, in VirtualPick::combo and comboCount
};

// "Single:A" or "Combo:Ctrl+Alt+Delete" (in Chinese "单键：A", "组合键：..."), with "-- --" for no
// key; empty for any other mode. "zh-CN" is Chinese, any other language English.
std::wstring DisplayText(int selectMode, const std::string& language,
                         const model::CKeyCodeTables& codes, const model::VirtualPick& pick);

}  // namespace virtualkbd

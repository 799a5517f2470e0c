#include "VirtualDisplayText.h"

#include "model/CodeTables.h"
#include "model/Languages.h"

#include <algorithm>

using model::CKeyCodeTables;
using model::kLanguageChinese;
using model::kVirtualComboSize;
using model::VirtualPick;

namespace virtualkbd {

std::wstring DisplayText(int selectMode, const std::string& language, const CKeyCodeTables& codes,
                         const VirtualPick& pick) {
    const bool chinese = language == kLanguageChinese;
    if (selectMode == kModeSingle) {
        return (chinese ? L"单键：" : L"Single:") + codes.NameOfHWCode(pick.single);
    }
    if (selectMode != kModeCombination) {
        return std::wstring();
    }
    std::wstring text = (chinese ? L"组合键：" : L"Combo:") + codes.NameOfHWCode(pick.combo[0]);
    const int count = std::min(pick.comboCount, kVirtualComboSize);
    for (int n = 1; n < count; ++n) {
        text += L"+" + codes.NameOfHWCode(pick.combo[static_cast<std::size_t>(n)]);
    }
    return text;
}

}  // namespace virtualkbd

#include "VirtualDisplayText.h"

#include "model/KeyboardConfig.h"

#include <algorithm>

namespace virtualkbd {

std::wstring DisplayText(int selectMode, const std::string& language,
                         const CKeyboardConfig& config) {
    const bool chinese = language == kLanguageChinese;
    if (selectMode == kModeSingle) {
        return (chinese ? L"单键：" : L"Single:") + config.NameOfHWCode(config.virtualSingle);
    }
    if (selectMode != kModeCombination) {
        return std::wstring();
    }
    std::wstring text =
        (chinese ? L"组合键：" : L"Combo:") + config.NameOfHWCode(config.virtualCombo[0]);
    const int count = std::min(config.virtualComboCount, kVirtualComboSize);
    for (int n = 1; n < count; ++n) {
        text += L"+" + config.NameOfHWCode(config.virtualCombo[static_cast<std::size_t>(n)]);
    }
    return text;
}

}  // namespace virtualkbd

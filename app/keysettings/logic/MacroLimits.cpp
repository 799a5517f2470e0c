#include "keysettings/logic/MacroLimits.h"

#include "keysettings/logic/ContentItems.h"
#include "model/WideText.h"

#include <algorithm>

using model::CItemList;
using model::CKeyCodeTables;
using model::DelayItemText;

namespace keysettings {
namespace {

bool IsPlayMode(int playMode) {
    return playMode >= kPlayModeTimes && playMode <= kPlayModeToggle;
}

// Sets `value` to `fitted` and notes a change when they differ.
void Fit(int& value, int fitted, bool& changed) {
    if (value != fitted) {
        value = fitted;
        changed = true;
    }
}

}  // namespace

int MostItems(const CItemList& content) {
    return content.IsAutoInterval ? kMostItemsFixedInterval : kMostItemsWithDelays;
}

bool IsDelayItem(std::wstring_view item) {
    return item.find(L"ms>") != std::wstring_view::npos;
}

int TrimToLimit(CItemList& content) {
    int removed = 0;
    while (content.Count() > MostItems(content)) {
        RemoveItem(content, content.Count() - 1);
        ++removed;
    }
    return removed;
}

bool FitMacroForKeyboard(CItemList& content, const CKeyCodeTables& codes) {
    bool changed = TrimToLimit(content) > 0;
    const std::vector<std::wstring>& items = content.Items();
    for (int index = 0; index < content.Count(); ++index) {
        const std::wstring& item = items[static_cast<std::size_t>(index)];
        if (!IsDelayItem(item)) {
            continue;
        }
        // Read the delay as the transfer to the keyboard reads it.
        const int delay = codes.HWCodeOfName(item);
        const int fitted = std::clamp(delay, 0, kLongestDelayMs);
        if (fitted != delay) {
            ReplaceItem(content, index, DelayItemText(fitted));
            changed = true;
        }
    }
    Fit(content.Cycles, std::clamp(content.Cycles, kFewestCycles, kMostCycles), changed);
    Fit(content.Delay, std::clamp(content.Delay, kShortestInterval, kLongestInterval), changed);
    Fit(content.PlayMode, ShownPlayMode(content.PlayMode), changed);
    return changed;
}

int ShownPlayMode(int playMode) {
    return IsPlayMode(playMode) ? playMode : kPlayModeTimes;
}

}  // namespace keysettings

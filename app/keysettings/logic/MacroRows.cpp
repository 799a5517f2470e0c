#include "keysettings/logic/MacroRows.h"

#include "keysettings/logic/ContentItems.h"
#include "keysettings/logic/MacroLimits.h"
#include "model/WideText.h"

#include <algorithm>

using model::CItemList;
using model::DelayItemText;
using model::ParseDecimal;

namespace keysettings {
namespace {

// A delay item the editor works on: "<", the number, " ms>", with its first ">" at its end.
constexpr std::size_t kDelayPrefixLength = 1;  // "<"
constexpr std::size_t kDelaySuffixLength = 4;  // " ms>"

// The editor opens on an item that begins with "<" and has its first ">" at its end, so never
// on "<>| Down".
bool IsEditableDelay(std::wstring_view item) {
    return !item.empty() && item.front() == L'<' && item.find(L'>') == item.size() - 1;
}

// Selects the row's item unless it is selected already; says whether the selection moved.
bool SelectRow(CItemList& content, int row, bool& wasSelected) {
    wasSelected = false;
    if (!IndexOfRow(content, row)) {
        return false;
    }
    if (row == content.CursorPos) {
        wasSelected = true;
        return false;
    }
    content.CursorPos = row;
    return true;
}

// The selected item when it is a delay the editor can open on.
const std::wstring* SelectedDelay(const CItemList& content) {
    const std::optional<int> index = SelectedIndex(content);
    if (!index) {
        return nullptr;
    }
    const std::wstring& item = content.Items()[static_cast<std::size_t>(*index)];
    return IsEditableDelay(item) ? &item : nullptr;
}

}  // namespace

RowClick ClickEmulationRow(CItemList& content, int row) {
    bool wasSelected = false;
    return SelectRow(content, row, wasSelected) ? RowClick::Selected : RowClick::Nothing;
}

RowClick ClickMacroRow(CItemList& content, int row) {
    bool wasSelected = false;
    if (SelectRow(content, row, wasSelected)) {
        return RowClick::Selected;
    }
    return wasSelected && SelectedDelay(content) != nullptr ? RowClick::EditDelay
                                                            : RowClick::Nothing;
}

std::wstring DelayEditorText(const CItemList& content) {
    const std::wstring* item = SelectedDelay(content);
    // "<5>" or "<ms>" begin like a delay but are too short to hold " ms>": nothing to show.
    if (item == nullptr || item->size() < kDelayPrefixLength + kDelaySuffixLength) {
        return std::wstring();
    }
    return item->substr(kDelayPrefixLength, item->size() - kDelayPrefixLength - kDelaySuffixLength);
}

bool CommitDelayEditor(CItemList& content, std::wstring_view editorText) {
    const std::optional<int> index = SelectedIndex(content);
    if (!index || SelectedDelay(content) == nullptr) {
        return false;
    }
    const int delay = std::clamp(ParseDecimal(editorText), 0, kLongestDelayMs);
    ReplaceItem(content, *index, DelayItemText(delay));
    return true;
}

}  // namespace keysettings

#include "keysettings/logic/ContentItems.h"

#include <climits>
#include <cstdint>

using model::CItemList;

namespace keysettings {
namespace {

bool HoldsIndex(const CItemList& list, std::int64_t index) {
    return index >= 0 && index < list.Count();
}

// The view row of an absolute index. A view start so far off that the row does not fit an int
// (only a hand-made profile has one) is first brought back to the top of the list.
int RowOfIndex(CItemList& list, int index) {
    const std::int64_t row = std::int64_t{index} - list.ViewStartAt;
    if (row < INT_MIN || row > INT_MAX) {
        list.ViewStartAt = 0;
        list.CursorPos = 0;
        return index;
    }
    return static_cast<int>(row);
}

}  // namespace

std::optional<int> IndexOfRow(const CItemList& list, int row) {
    const std::int64_t index = std::int64_t{list.ViewStartAt} + row;
    if (!HoldsIndex(list, index)) {
        return std::nullopt;
    }
    return static_cast<int>(index);
}

std::optional<int> SelectedIndex(const CItemList& list) {
    return IndexOfRow(list, list.CursorPos);
}

void ReplaceItem(CItemList& list, int index, std::wstring_view text) {
    if (HoldsIndex(list, index)) {
        list.SetOrAppend(RowOfIndex(list, index), text);
    }
}

void InsertItem(CItemList& list, int index, std::wstring_view text) {
    if (index >= 0 && index <= list.Count()) {
        list.InsertAt(RowOfIndex(list, index), text);
    }
}

void RemoveItem(CItemList& list, int index) {
    if (HoldsIndex(list, index)) {
        list.RemoveAt(RowOfIndex(list, index));
    }
}

}  // namespace keysettings

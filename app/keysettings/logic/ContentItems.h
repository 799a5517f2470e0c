// Access to a content list's items by absolute index. CItemList addresses items by rows of its
// view; the pages' rules are about particular items, and a list loaded from a profile may carry
// any view fields at all. These helpers reach exactly the item meant, or do nothing.
#pragma once

#include "model/ItemList.h"

#include <optional>
#include <string_view>

namespace keysettings {

// The absolute index of the item a view row shows; none when the row shows no item.
std::optional<int> IndexOfRow(const model::CItemList& list, int row);
// The absolute index of the selected item; none when the selection names no item.
std::optional<int> SelectedIndex(const model::CItemList& list);

// Replaces the text of item `index` (its sub-list is kept). Nothing when there is no such item.
void ReplaceItem(model::CItemList& list, int index, std::wstring_view text);
// Inserts an item before item `index`, or appends it when `index` is the count; the view
// does not move. Nothing for any other index.
void InsertItem(model::CItemList& list, int index, std::wstring_view text);
// Removes item `index` and pulls the view back inside the list. Nothing when there is no such
// item.
void RemoveItem(model::CItemList& list, int index);

}  // namespace keysettings

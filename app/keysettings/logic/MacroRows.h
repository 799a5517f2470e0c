// Clicks on the rows of a content list, and the delay editor that a click on a selected delay
// row of a macro opens over that row.
#pragma once

#include "model/ItemList.h"

#include <string>
#include <string_view>

namespace keysettings {

enum class RowClick {
    Nothing,    // no item on the row, or the selected row clicked again with nothing to edit
    Selected,   // the row became the selected one: repaint the rows
    EditDelay,  // the selected row holds a delay: open the editor with DelayEditorText
};

// A click on view row `row` of an emulation's content: selects the row's item; a selected row
// stays selected.
RowClick ClickEmulationRow(model::CItemList& content, int row);
// A click on view row `row` of a macro's content: selects the row's item, or, when it is
// selected already and is a delay ("<120 ms>"), asks for the delay editor.
RowClick ClickMacroRow(model::CItemList& content, int row);

// The editor's text for the selected delay item: its bare number of milliseconds ("120").
std::wstring DelayEditorText(const model::CItemList& content);

// Commits the delay editor: the selected item becomes the delay of the typed number, brought
// into 0..65535 ms (an empty text gives "<0 ms>"). Returns false, changing nothing, when the
// selected item is no longer a delay the editor could have been opened on (the list changed
// under the editor).
bool CommitDelayEditor(model::CItemList& content, std::wstring_view editorText);

}  // namespace keysettings

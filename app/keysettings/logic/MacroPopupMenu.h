// The menu a right click on a macro's content row opens: mouse button presses, releases and
// clicks and wheel turns to insert before the clicked item, and "Delete".
#pragma once

#include "model/CodeTables.h"
#include "model/ItemList.h"

#include <optional>
#include <string>
#include <vector>

namespace keysettings {

// Command ids of the menu's entries.
enum MacroPopupCommand : int {
    kPopupLeftPress = 1135,
    kPopupLeftRelease = 1136,
    kPopupLeftClick = 1137,
    kPopupRightPress = 1138,
    kPopupRightRelease = 1139,
    kPopupRightClick = 1140,
    kPopupMiddlePress = 1141,
    kPopupMiddleRelease = 1142,
    kPopupMiddleClick = 1143,
    kPopupWheelUp = 1144,
    kPopupWheelDown = 1145,
    kPopupDelete = 1147,
};

// One entry of the menu in the language shown (UTF-8): a command, or a submenu of commands.
struct PopupMenuEntry {
    std::string text;
    int command = -1;  // -1 for an entry that opens `submenu`
    std::vector<PopupMenuEntry> submenu;
};

// The menu's entries in "zh-CN" or "en-US"; no entries in another language.
std::vector<PopupMenuEntry> MacroPopupMenu(const std::string& language);

// The item a right click on view row `row` is about, as an absolute index; none when the row
// shows no item, and then no menu opens.
std::optional<int> PopupTarget(const model::CItemList& content, int row);

// Runs a menu command on item `target` (from PopupTarget), then cuts the list back to the
// limit of its delay mode. Mouse events go in front of the target; with recorded delays each
// is paired with a "<0 ms>" delay so that events and delays keep alternating. "Delete" with
// recorded delays takes the target's partner with it, so that the alternation stays. Returns
// false, changing nothing, for an unknown command or a target that is no longer in the list.
bool RunPopupCommand(model::CItemList& content, int command, int target,
                     const model::CKeyCodeTables& codes);

}  // namespace keysettings

#include "keysettings/logic/MacroPopupMenu.h"

#include "keysettings/logic/ContentItems.h"
#include "keysettings/logic/MacroLimits.h"
#include "model/Languages.h"
#include "model/WideText.h"

#include <array>

using model::CItemList;
using model::CKeyCodeTables;
using model::DelayItemText;
using model::kLanguageChinese;
using model::kLanguageEnglish;

namespace keysettings {
namespace {

// What an insertion command puts in: the mouse event's HW code (its name is the item) and how
// many events. A press and a release insert the same item; a click inserts two.
struct MouseInsertion {
    int command;
    int hwCode;
    int events;
};

constexpr std::array<MouseInsertion, 11> kInsertions{{
    {kPopupLeftPress, 130, 1},
    {kPopupLeftRelease, 130, 1},
    {kPopupLeftClick, 130, 2},
    {kPopupRightPress, 131, 1},
    {kPopupRightRelease, 131, 1},
    {kPopupRightClick, 131, 2},
    {kPopupMiddlePress, 132, 1},
    {kPopupMiddleRelease, 132, 1},
    {kPopupMiddleClick, 132, 2},
    {kPopupWheelUp, 133, 1},
    {kPopupWheelDown, 134, 1},
}};

const MouseInsertion* InsertionOf(int command) {
    for (const MouseInsertion& insertion : kInsertions) {
        if (insertion.command == command) {
            return &insertion;
        }
    }
    return nullptr;
}

struct MenuText {
    const char* zh;
    const char* en;
};

PopupMenuEntry Command(int command, MenuText text, bool chinese) {
    return {chinese ? text.zh : text.en, command, {}};
}

PopupMenuEntry Submenu(MenuText text, bool chinese, std::vector<PopupMenuEntry> commands) {
    return {chinese ? text.zh : text.en, -1, std::move(commands)};
}

// Press, release and click of one mouse button.
std::vector<PopupMenuEntry> ButtonCommands(int pressCommand, bool chinese) {
    return {Command(pressCommand, {"按下", "Press"}, chinese),
            Command(pressCommand + 1, {"释放", "Release"}, chinese),
            Command(pressCommand + 2, {"点击", "Click"}, chinese)};
}

// Mouse events go in front of the target, in order; with recorded delays each is paired with
// "<0 ms>" on the side that keeps events and delays alternating: in front of a delay the pair
// is delay, event; in front of an event it is event, delay.
void InsertMouseEvents(CItemList& content, int target, const std::wstring& event, int events) {
    const std::wstring zeroDelay = DelayItemText(0);
    const bool withDelays = !content.IsAutoInterval;
    const bool beforeDelay = IsDelayItem(content.Items()[static_cast<std::size_t>(target)]);
    int at = target;
    for (int i = 0; i < events; ++i) {
        if (withDelays && beforeDelay) {
            InsertItem(content, at++, zeroDelay);
        }
        InsertItem(content, at++, event);
        if (withDelays && !beforeDelay) {
            InsertItem(content, at++, zeroDelay);
        }
    }
}

// With recorded delays an item is deleted with its partner, so that events and delays keep
// alternating: the item after it when that is of the other kind; for a last event, the delay
// before it. A trailing delay (the one a recording ends with) separates nothing and goes alone.
void DeleteItem(CItemList& content, int target) {
    const std::vector<std::wstring>& items = content.Items();
    const bool isDelay = IsDelayItem(items[static_cast<std::size_t>(target)]);
    const int last = content.Count() - 1;
    int partner = -1;
    if (!content.IsAutoInterval) {
        if (target < last && IsDelayItem(items[static_cast<std::size_t>(target) + 1]) != isDelay) {
            partner = target + 1;
        } else if (target == last && !isDelay && target > 0 &&
                   IsDelayItem(items[static_cast<std::size_t>(target) - 1])) {
            partner = target - 1;
        }
    }
    // The later of the two goes first, so the earlier keeps its index.
    if (partner > target) {
        RemoveItem(content, partner);
    }
    RemoveItem(content, target);
    if (partner >= 0 && partner < target) {
        RemoveItem(content, partner);
    }
}

}  // namespace

std::vector<PopupMenuEntry> MacroPopupMenu(const std::string& language) {
    const bool chinese = language == kLanguageChinese;
    if (!chinese && language != kLanguageEnglish) {
        return {};
    }
    return {
        Submenu({"鼠标左键", "Left Click"}, chinese, ButtonCommands(kPopupLeftPress, chinese)),
        Submenu({"鼠标右键", "Right Click"}, chinese, ButtonCommands(kPopupRightPress, chinese)),
        Submenu({"鼠标中键", "Middle Click"}, chinese, ButtonCommands(kPopupMiddlePress, chinese)),
        Submenu({"滚轮", "Wheel"}, chinese,
                {Command(kPopupWheelUp, {"前翻", "Up"}, chinese),
                 Command(kPopupWheelDown, {"后翻", "Down"}, chinese)}),
        Command(kPopupDelete, {"删除", "Delete"}, chinese)};
}

std::optional<int> PopupTarget(const CItemList& content, int row) {
    return IndexOfRow(content, row);
}

bool RunPopupCommand(CItemList& content, int command, int target, const CKeyCodeTables& codes) {
    if (target < 0 || target >= content.Count()) {
        return false;
    }
    if (command == kPopupDelete) {
        DeleteItem(content, target);
    } else if (const MouseInsertion* insertion = InsertionOf(command)) {
        InsertMouseEvents(content, target, codes.NameOfHWCode(insertion->hwCode),
                          insertion->events);
    } else {
        return false;
    }
    TrimToLimit(content);
    return true;
}

}  // namespace keysettings

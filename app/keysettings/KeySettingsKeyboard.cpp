// The key settings dialog without a mouse, and its lists under the wheel: the tabs, the
// page's lists and its icons are one Tab stop each, the arrows move a list's selection as its
// scroll bar does, Ctrl+Tab and Ctrl+PgDn turn the pages, and the wheel scrolls the list under
// the pointer.
#include "COrvoDialogKeyMapSettings.h"
#include "CSkinScrollBar.h"
#include "InPlaceEditor.h"
#include "KeySettingsLayout.h"

#include <QWheelEvent>

#include <algorithm>

using keysettings::ListBar;
using keysettings::PageOfId;

namespace {

// Tab stops of more than one element.
enum FocusGroup : int {
    kOwnStop = 0,
    kTabs,
    kSingleOrCombo,
    kPlayModes,
    kDelayModes,
    kLibraryRows,
    kContentRows,
    kIcons,
};

// A wheel notch, in eighths of a degree.
constexpr int kWheelNotch = 120;

bool IsTab(int id) {
    return id >= keysettings::kIdFirstTab &&
           id < keysettings::kIdFirstTab + keysettings::kPageCount;
}

}  // namespace

bool COrvoDialogKeyMapSettings::takesFocus(const skin::SkinItem& item) const {
    // The prompt is a caption, and the record box's rows lie under its text box.
    const bool underTheRecordBox =
        item.id >= keysettings::kIdFirstRecordRow &&
        item.id < keysettings::kIdFirstRecordRow + keysettings::kRecordRows;
    return isHitCandidate(item) && item.id != keysettings::kIdSinglePrompt && !underTheRecordBox &&
           item.id != keysettings::kIdEmuDelayBox;
}

int COrvoDialogKeyMapSettings::focusGroup(const skin::SkinItem& item) const {
    const int id = item.id;
    if (IsTab(id)) {
        return kTabs;
    }
    switch (id) {
        case keysettings::kIdSingleSwitch:
        case keysettings::kIdComboSwitch:
            return kSingleOrCombo;
        case keysettings::kIdPlayTimes:
        case keysettings::kIdPlayWhileHeld:
        case keysettings::kIdPlayToggle:
            return kPlayModes;
        case keysettings::kIdFixedInterval:
        case keysettings::kIdRecordedDelays:
            return kDelayModes;
        default:
            break;
    }
    if (const keysettings::KeySettingsPage* shown = shownPage()) {
        if (const std::optional<ListBar> list = shown->listOfRow(id)) {
            return *list == ListBar::Library ? kLibraryRows : kContentRows;
        }
    }
    return PageOfId(id) >= keysettings::kPageMultimedia ? kIcons : kOwnStop;
}

int COrvoDialogKeyMapSettings::focusRank(const skin::SkinItem& item) const {
    // The tabs, the page, then the buttons under it, and the close box last.
    enum { kTabRank, kPageRank, kButtonRank, kCloseRank };
    if (IsTab(item.id)) {
        return kTabRank;
    }
    if (item.id == keysettings::kIdClose) {
        return kCloseRank;
    }
    return PageOfId(item.id) != 0 ? kPageRank : kButtonRank;
}

bool COrvoDialogKeyMapSettings::focusEntry(const skin::SkinItem& item) const {
    return IsTab(item.id) ? item.id == keysettings::TabId(currentPage_) : item.isSelected;
}

void COrvoDialogKeyMapSettings::activate(skin::SkinItem& item) {
    // As a click on the element, without waiting to see whether a double click follows.
    clickRule_->cancel();
    handleClickOn(item.id);
}

std::optional<ListBar> COrvoDialogKeyMapSettings::listOfRow(int id) const {
    const keysettings::KeySettingsPage* shown = shownPage();
    return shown != nullptr ? shown->listOfRow(id) : std::nullopt;
}

void COrvoDialogKeyMapSettings::scrollList(ListBar which, int lines) {
    skin::CSkinScrollBar& scrollBar = bar(which);
    const std::optional<int> selected = shownPage()->selectedIndex(which);
    if (!scrollBar.isEnabled() || !selected || lines == 0) {
        return;
    }
    editor_->commit();
    // From the item selected (the bar's own position may stand one past the last item), as
    // a drag of the bar's thumb moves it.
    scrolled(&scrollBar, skin::kScrollThumbTrack, std::max(0, *selected + lines));
}

bool COrvoDialogKeyMapSettings::arrowPressed(skin::SkinItem& item,
                                             skin::focus::Direction direction) {
    const bool up = direction == skin::focus::Direction::Up;
    const std::optional<ListBar> list = listOfRow(item.id);
    if (!list || (!up && direction != skin::focus::Direction::Down)) {
        return false;
    }
    // In a list the arrows move the selection, scrolling the list as its bar does; the focus
    // goes with the selected row.
    scrollList(*list, up ? -1 : +1);
    const int selected = shownPage()->selectedRowId(*list);
    if (selected > 0) {
        focusItem(selected);
    }
    return true;
}

bool COrvoDialogKeyMapSettings::switchTab(int step) {
    // The page turns at once, with the editor committed, as a second click on the tab does.
    editor_->commit();
    const int next = (currentPage_ - 1 + step + keysettings::kPageCount) % keysettings::kPageCount;
    const bool markShown = focusMarkShown();
    handleClickOn(keysettings::TabId(next + 1));
    if (markShown) {
        focusItem(keysettings::TabId(currentPage_));
    }
    return true;
}

void COrvoDialogKeyMapSettings::wheelEvent(QWheelEvent* event) {
    const QPoint point = event->position().toPoint();
    std::optional<ListBar> list;
    if (libraryScroll_->isVisible() && libraryScroll_->geometry().contains(point)) {
        list = ListBar::Library;
    } else if (contentScroll_->isVisible() && contentScroll_->geometry().contains(point)) {
        list = ListBar::Content;
    } else if (const skin::SkinItem* row = itemAt(point)) {
        list = listOfRow(row->id);
    }
    if (!list) {
        SkinnedDialog::wheelEvent(event);
        return;
    }
    // A notch moves the list one line; a finer wheel adds up to notches.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    scrollList(*list, -notches);
    event->accept();
}

#include "MacroPage.h"

#include "DialogService.h"
#include "KeySettingsTexts.h"
#include "NumericEdit.h"
#include "keysettings/logic/ContentItems.h"
#include "keysettings/logic/MacroDelayModes.h"
#include "keysettings/logic/MacroLimits.h"
#include "keysettings/logic/MacroPopupMenu.h"
#include "keysettings/logic/MacroRows.h"
#include "model/KeyboardConfig.h"

#include <QCoreApplication>
#include <QString>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindMacro;

namespace keysettings {
namespace {

constexpr RecordButton kRecordButton{kIdRecordMacro, kLabelMacroRecordStart, kLabelMacroRecordStop};

struct PlayModeButton {
    int id;
    int playMode;
};
constexpr PlayModeButton kPlayModeButtons[] = {
    {kIdPlayTimes, kPlayModeTimes},
    {kIdPlayWhileHeld, kPlayModeWhileHeld},
    {kIdPlayToggle, kPlayModeToggle},
};

std::vector<skin::MenuEntry> ToMenuEntries(const std::vector<PopupMenuEntry>& entries) {
    std::vector<skin::MenuEntry> menu;
    for (const PopupMenuEntry& entry : entries) {
        menu.push_back(
            {QString::fromStdString(entry.text), entry.command, ToMenuEntries(entry.submenu)});
    }
    return menu;
}

}  // namespace

MacroPage::MacroPage(PageHost& host)
    : LibraryPage(host, kMacroLibrary, kContentRows, KindMacro, &CKeyboardProfile::predefinedMacro),
      recorder_(host.config()) {}

void MacroPage::shown() {
    LibraryPage::shown();
    host().countEdit().bind(ReadRepeatCount, content().Cycles);
    host().delayEdit().bind(ReadMacroInterval, content().Delay);
}

void MacroPage::beforePaint() {
    LibraryPage::beforePaint();
    const CItemList& macro = content();
    const int playMode = ShownPlayMode(macro.PlayMode);
    for (const PlayModeButton& button : kPlayModeButtons) {
        setSelected(button.id, button.playMode == playMode);
    }
    setSelected(kIdFixedInterval, macro.IsAutoInterval);
    setSelected(kIdRecordedDelays, !macro.IsAutoInterval);
    // The repeat count matters only to "Times Play", the interval only with no recorded delays.
    NumericEdit& count = host().countEdit();
    count.showValue(macro.Cycles);
    count.setEnabled(playMode == kPlayModeTimes);
    NumericEdit& interval = host().delayEdit();
    interval.showValue(macro.Delay);
    interval.setEnabled(macro.IsAutoInterval);
}

void MacroPage::clicked(int id) {
    for (const PlayModeButton& button : kPlayModeButtons) {
        if (id == button.id) {
            choosePlayMode(button.playMode);
            return;
        }
    }
    if (id >= kIdFirstMacroContentRow && id < kIdFirstMacroContentRow + kContentRows) {
        contentRowClicked(id - kIdFirstMacroContentRow);
        return;
    }
    switch (id) {
        case kIdFixedInterval:
            useFixedInterval();
            break;
        case kIdRecordedDelays:
            useRecordedDelays();
            break;
        case kIdRecordMacro:
            startRecording(kRecordButton, [this](CItemList& macro) { recorder_.Start(macro); });
            break;
        default:
            LibraryPage::clicked(id);
            break;
    }
}

void MacroPage::choosePlayMode(int playMode) {
    content().PlayMode = playMode;
    list().store();
    if (playMode == kPlayModeTimes) {
        NumericEdit& count = host().countEdit();
        count.setEnabled(true);
        count.setFocus();
    }
    host().refresh();
}

void MacroPage::useFixedInterval() {
    content().Delay = ReadMacroInterval(host().delayEdit().text().toStdWString()).value;
    // A click on the mode in force converts nothing: there are no delays left to drop.
    if (SwitchToFixedInterval(content())) {
        list().contentChanged();
    }
    list().store();
    NumericEdit& interval = host().delayEdit();
    interval.setEnabled(true);
    interval.setFocus();
    host().refresh();
}

void MacroPage::useRecordedDelays() {
    // Nor in this direction: delays would go between delays.
    if (SwitchToRecordedDelays(content())) {
        list().contentChanged();
    }
    list().store();
    host().refresh();
}

ClickWhileCapturing MacroPage::clickWhileCapturing(int /*id*/) {
    // The entry takes the recording as it stands; the final delay follows it only at the next
    // store (as "OK" makes).
    stopRecording(kRecordButton);
    if (recorder_.Stop(content()) > 0) {
        list().contentChanged();
    }
    return ClickWhileCapturing::Stopped;
}

void MacroPage::captureKey(const HookKey& key) {
    if (recorder_.OnKeyEvent(content(), key.code, key.released, key.elapsedMs) == 0) {
        return;
    }
    list().contentChanged();
    host().refresh();
    if (content().Count() >= MostItems(content())) {
        // Full: the recording stops where the user sees it, and says why.
        stopRecording(kRecordButton);
        static_cast<void>(recorder_.Stop(content()));
        list().contentChanged();
        static_cast<void>(host().dialogs().message(
            host().dialogWidget(),
            texts::Text(texts::Id::MacroFull, host().language()).arg(content().Count()),
            QCoreApplication::applicationName(), skin::MessageButtons::Ok,
            skin::MessageIcon::Information));
    }
}

void MacroPage::contentRowClicked(int row) {
    switch (ClickMacroRow(content(), row)) {
        case RowClick::Selected:
            host().refresh();
            break;
        case RowClick::EditDelay:
            openDelayEditor();
            break;
        case RowClick::Nothing:
            break;
    }
}

void MacroPage::openDelayEditor() {
    // The delay is remembered by its index: the scroll bar may move the selection while the
    // editor is open, and the typed number belongs to the delay it was opened on.
    const std::optional<int> index = SelectedIndex(content());
    if (!index) {
        return;
    }
    host().openEditor(kIdFirstMacroContentRow + content().CursorPos, DelayEditorText(content()),
                      EditorPurpose::Delay, [this, at = *index](const std::wstring& text) {
                          if (at >= content().Count()) {
                              return;
                          }
                          if (SelectedIndex(content()) != at) {
                              content().Select(at);
                          }
                          if (CommitDelayEditor(content(), text)) {
                              list().store();
                          }
                      });
}

void MacroPage::rightClicked(int id, const QPoint& globalPoint) {
    const int row = id - kIdFirstMacroContentRow;
    // While a recording runs the list is being written; mouse events wait until it stops.
    if (row < 0 || row >= kContentRows || recorder_.IsRecording()) {
        return;
    }
    const std::optional<int> target = PopupTarget(content(), row);
    const std::vector<PopupMenuEntry> entries = MacroPopupMenu(host().language());
    if (!target || entries.empty()) {
        return;  // no menu over an empty row, nor without a language to show it in
    }
    const std::optional<int> command =
        host().dialogs().popupMenu(host().dialogWidget(), ToMenuEntries(entries), globalPoint);
    if (command && RunPopupCommand(content(), *command, *target, host().config())) {
        list().contentChanged();
        list().store();
        host().refresh();
    }
}

void MacroPage::countEdited(int value) {
    setContentValue(&CItemList::Cycles, value);
}

void MacroPage::delayEdited(int value) {
    setContentValue(&CItemList::Delay, value);
}

void MacroPage::writeBack(CKeyboardConfig& config, int key, int layer) {
    // A macro from a profile may hold more than the keyboard takes; the library entry takes
    // the fitted macro too, as the write-back stores the content into it.
    static_cast<void>(FitMacroForKeyboard(content(), config));
    LibraryPage::writeBack(config, key, layer);
}

}  // namespace keysettings

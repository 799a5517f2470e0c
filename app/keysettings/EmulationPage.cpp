#include "EmulationPage.h"

#include "NumericEdit.h"
#include "keysettings/logic/MacroRows.h"
#include "keysettings/logic/TypedNumber.h"
#include "model/KeyboardConfig.h"

using model::CItemList;
using model::CKeyboardProfile;
using model::KindEmulation;

namespace keysettings {
namespace {

constexpr RecordButton kRecordButton{kIdRecordEmu, kLabelEmuRecordStart, kLabelEmuRecordStop};

}  // namespace

EmulationPage::EmulationPage(PageHost& host)
    : LibraryPage(host, kEmuLibrary, kContentRows, KindEmulation, &CKeyboardProfile::predefinedEmu),
      recorder_(host.config()) {}

void EmulationPage::shown() {
    LibraryPage::shown();
    host().countEdit().bind(ReadEmulationInterval, content().Delay);
}

void EmulationPage::beforePaint() {
    LibraryPage::beforePaint();
    host().countEdit().showValue(content().Delay);
}

void EmulationPage::clicked(int id) {
    if (id >= kIdFirstEmuContentRow && id < kIdFirstEmuContentRow + kContentRows) {
        if (ClickEmulationRow(content(), id - kIdFirstEmuContentRow) == RowClick::Selected) {
            host().refresh();
        }
    } else if (id == kIdRecordEmu) {
        startRecording(kRecordButton, [this](CItemList& keys) { recorder_.Start(keys); });
    } else {
        LibraryPage::clicked(id);
    }
}

ClickWhileCapturing EmulationPage::clickWhileCapturing(int /*id*/) {
    recorder_.Stop();
    stopRecording(kRecordButton);
    return ClickWhileCapturing::Stopped;
}

void EmulationPage::captureKey(const HookKey& key) {
    if (recorder_.OnKeyEvent(content(), key.code, key.released) > 0) {
        list().contentChanged();
        host().refresh();
    }
}

void EmulationPage::countEdited(int value) {
    setContentValue(&CItemList::Delay, value);
}

}  // namespace keysettings

#include "KeySettingsPage.h"

#include "SkinItem.h"

using model::CItemList;
using model::CKeyboardConfig;

namespace keysettings {

bool KeySettingsPage::openOnSlot(int /*kind*/, int /*hwCode*/, const CItemList& /*list*/) {
    return false;
}

void KeySettingsPage::clicked(int /*id*/) {}

void KeySettingsPage::scrolled(ListBar /*bar*/, int /*position*/) {}

ClickWhileCapturing KeySettingsPage::clickWhileCapturing(int /*id*/) {
    host().stopCapture();
    return ClickWhileCapturing::Stopped;
}

void KeySettingsPage::captureKey(const HookKey& /*key*/) {}

void KeySettingsPage::takeDefault(int /*hwCode*/) {}

void KeySettingsPage::writeBack(CKeyboardConfig& /*config*/, int /*key*/, int /*layer*/) {}

void KeySettingsPage::setSelected(int id, bool selected) {
    if (skin::SkinItem* item = host().item(id)) {
        item->isSelected = selected;
    }
}

void KeySettingsPage::setTextVisible(int id, bool visible) {
    if (skin::SkinItem* item = host().item(id)) {
        item->textVisible = visible;
    }
}

void KeySettingsPage::showRecordButton(const RecordButton& button, bool on) {
    setSelected(button.button, on);
    setTextVisible(button.startLabel, !on);
    setTextVisible(button.stopLabel, on);
    host().refresh();
}

}  // namespace keysettings

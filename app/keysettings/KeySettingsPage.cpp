#include "KeySettingsPage.h"

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

}  // namespace keysettings

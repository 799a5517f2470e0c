#include "IconChoicePage.h"

#include "IconPagesLayout.h"
#include "KeySettingsLayout.h"
#include "model/KeyboardConfig.h"

using model::CItemList;
using model::CKeyboardConfig;

namespace keysettings {

IconChoicePage::IconChoicePage(PageHost& host, int page)
    : KeySettingsPage(host, page), kind_(KindOfIconPage(page)) {}

bool IconChoicePage::openOnSlot(int kind, int hwCode, const CItemList& /*list*/) {
    if (kind != kind_) {
        return false;
    }
    code_ = hwCode;
    return true;
}

void IconChoicePage::beforePaint() {
    for (const IconSpec& icon : IconPageLayout(number()).icons) {
        setSelected(icon.id, IsChosen(code_, icon.hwCode));
    }
}

void IconChoicePage::clicked(int id) {
    const IconSpec* icon = FindIcon(id);
    if (icon == nullptr || PageOfId(id) != number()) {
        return;
    }
    code_ = ChoiceAfterClick(code_, icon->hwCode);
    host().refresh();
}

void IconChoicePage::takeDefault(int hwCode) {
    code_ = hwCode;
}

void IconChoicePage::writeBack(CKeyboardConfig& config, int key, int layer) {
    if (!IsAssignable(code_)) {
        return;
    }
    const auto k = static_cast<std::size_t>(key);
    // An Fn key is one on every layer.
    const bool fnKey = number() == kPageFunction && WritesAllLayers(code_);
    for (int l = 0; l < kLayerCount; ++l) {
        if (fnKey || l == layer) {
            config.keyHWCode[k][static_cast<std::size_t>(l)] = code_;
            config.keyMode[k][static_cast<std::size_t>(l)] = kind_;
        }
    }
}

}  // namespace keysettings

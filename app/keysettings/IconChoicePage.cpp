#include "IconChoicePage.h"

#include "KeySettingsLayout.h"
#include "model/KeyboardConfig.h"

namespace keysettings {
namespace {

// The Fn keys: a key that is an Fn key is one on every layer.
constexpr int kHWCodeRightFn = 156;
constexpr int kHWCodeLeftFn = 166;

}  // namespace

IconChoicePage::IconChoicePage(PageHost& host, int page, int kind)
    : KeySettingsPage(host, page), kind_(kind) {}

bool IconChoicePage::openOnSlot(int kind, int hwCode, const CItemList& /*list*/) {
    if (kind != kind_) {
        return false;
    }
    code_ = hwCode;
    return true;
}

void IconChoicePage::takeDefault(int hwCode) {
    code_ = hwCode;
}

void IconChoicePage::writeBack(CKeyboardConfig& config, int key, int layer) {
    if (code_ <= 0) {
        return;
    }
    const auto k = static_cast<std::size_t>(key);
    const bool fnKey =
        number() == kPageFunction && (code_ == kHWCodeRightFn || code_ == kHWCodeLeftFn);
    for (int l = 0; l < kLayerCount; ++l) {
        if (fnKey || l == layer) {
            config.keyHWCode[k][static_cast<std::size_t>(l)] = code_;
            config.keyMode[k][static_cast<std::size_t>(l)] = kind_;
        }
    }
}

}  // namespace keysettings

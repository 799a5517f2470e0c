#include "KeySettingsLayout.h"

#include "IconPagesLayout.h"
#include "OrvoHWI.h"

namespace keysettings {
namespace {

using skin::ButtonSpec;
using skin::DesignRect;
using skin::ItemSpec;
using skin::LabelSpec;

// The seven tabs side by side: tab k (0..6) starts 78 pixels after the one before.
constexpr int kTabPitch = 78;
constexpr DesignRect TabRect(int k) {
    return {18 + kTabPitch * k, 48, 95 + kTabPitch * k, 80};
}
constexpr DesignRect TabLabelRect(int k) {
    return {18 + kTabPitch * k, 56, 95 + kTabPitch * k, 80};
}

struct TabText {
    const char* zh;
    const char* en;
};
constexpr TabText kTabTexts[kPageCount] = {
    {"单/组合键", "Single/Com"}, {"宏定义", "Macro"}, {"模拟击键", "Emulate"},
    {"多媒体", "Multimedia"},    {"鼠标", "Mouse"},   {"操控键", "Function"},
    {"电源键", "Power"},
};

constexpr DesignRect BarRect(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

PageImages PageImagesFor(int page, int deviceType) {
    switch (page) {
        case kPageMacro:
            return {110, 111, 112};
        case kPageEmulation:
            return {113, 114, 115};
        case kPageMultimedia:
            return {116, 117, 118};
        case kPageMouse:
            return {119, 120, 121};
        case kPageFunction:
            switch (deviceType) {
                case kDeviceTypeSBle:
                    return {151, 123, 124};
                case kDeviceTypeS:
                    return {152, 123, 124};
                case kDeviceTypePrsm:
                    return {153, 123, 124};
                default:
                    return {122, 123, 124};
            }
        case kPagePower:
            return {125, 126, 127};
        default:
            return {107, 108, 109};
    }
}

std::vector<int> ImageIds(int deviceType) {
    std::vector<int> ids;
    for (int page = 1; page <= kPageCount; ++page) {
        const PageImages images = PageImagesFor(page, deviceType);
        ids.insert(ids.end(), {images.base, images.hover, images.selected});
    }
    return ids;
}

PageControls ControlsOf(int page) {
    constexpr ControlState kHidden{false, false};
    constexpr ControlState kShown{true, true};
    constexpr ControlState kShownDisabled{true, false};
    PageControls controls;
    switch (page) {
        case kPageSingleCombo:
            controls.comboText = kShown;
            controls.libraryScroll = {true, 358, 137, 50, 96};
            controls.contentScroll = {false, 523, 137, 50, 48};
            break;
        case kPageMacro:
            controls.countEdit = kShown;
            controls.delayEdit = kShownDisabled;  // the macro page enables it when it applies
            controls.libraryScroll = {true, 181, 115, 15, 126};
            controls.contentScroll = {true, 357, 115, 15, 126};
            break;
        case kPageEmulation:
            controls.countEdit = kShown;
            controls.libraryScroll = {true, 181, 115, 50, 126};
            controls.contentScroll = {true, 357, 115, 50, 126};
            break;
        default:
            break;
    }
    controls.inPlaceEdit = kHidden;
    return controls;
}

bool NumericEditPlacesFor(const std::string& language, NumericEditPlaces* places) {
    constexpr int kTop = 112;
    constexpr int kDelayTop = 176;
    constexpr int kWidth = 36;
    constexpr int kHeight = 18;
    int countLeft = 0;
    int delayLeft = 0;
    if (language == "zh-CN") {
        countLeft = 470;
        delayLeft = 470;
    } else if (language == "en-US") {
        countLeft = 485;
        delayLeft = 480;
    } else {
        return false;
    }
    places->countEdit = BarRect(countLeft, kTop, kWidth, kHeight);
    places->delayEdit = BarRect(delayLeft, kDelayTop, kWidth, kHeight);
    return true;
}

std::vector<ItemSpec> CommonItems() {
    std::vector<ItemSpec> items;
    items.push_back(ButtonSpec(kIdDefault, {33, 320, 117, 353}));
    items.push_back(ButtonSpec(kIdClear, {130, 320, 212, 353}));
    items.push_back(ButtonSpec(kIdOk, {365, 320, 449, 353}));
    items.push_back(ButtonSpec(kIdCancel, {462, 320, 544, 353}));
    for (int k = 0; k < kPageCount; ++k) {
        items.push_back(ButtonSpec(kIdFirstTab + k, TabRect(k)));
    }
    items.push_back(ButtonSpec(kIdClose, {545, 10, 565, 30}));
    items.push_back(LabelSpec(kLabelTitle, "按键设置面板", "Key Settings", {1, 12, 573, 33}));
    items.push_back(LabelSpec(kLabelDefault, "恢复默认", "Default", {37, 328, 117, 353}));
    items.push_back(LabelSpec(kLabelClear, "清空配置", "Clear", {130, 328, 212, 353}));
    items.push_back(LabelSpec(kLabelOk, "确定", "OK", {365, 328, 449, 353}));
    items.push_back(LabelSpec(kLabelCancel, "取消", "Cancel", {462, 328, 544, 353}));
    for (int k = 0; k < kPageCount; ++k) {
        items.push_back(
            LabelSpec(kLabelFirstTab + k, kTabTexts[k].zh, kTabTexts[k].en, TabLabelRect(k)));
    }
    return items;
}

std::vector<ItemSpec> PageItems(int page) {
    switch (page) {
        case kPageSingleCombo:
            return SingleComboItems();
        case kPageMacro:
            return MacroItems();
        case kPageEmulation:
            return EmulationItems();
        case kPageMultimedia:
        case kPageMouse:
        case kPageFunction:
        case kPagePower:
            return IconPageItems(page);
        default:
            return {};
    }
}

std::vector<ItemSpec> KeySettingsItems() {
    std::vector<ItemSpec> items = CommonItems();
    for (int page = 1; page <= kPageCount; ++page) {
        const std::vector<ItemSpec> pageItems = PageItems(page);
        items.insert(items.end(), pageItems.begin(), pageItems.end());
    }
    return items;
}

}  // namespace keysettings

#include "MainWindowLayout.h"

#include "OrvoHWI.h"
#include "model/CodeTables.h"
#include "model/DefaultKeyTables.h"
#include "model/KeyLayout.h"
#include "model/WideText.h"

#include <string>

using model::KeyCaptionUtf8;
using model::KeyPlace;
using model::KeyPlaceOnFace;
using model::ModelName;
using model::Utf8FromWide;

namespace mainwin {
namespace {

using skin::DesignRect;
using skin::ItemSpec;

ItemSpec Button(int id, DesignRect rect) {
    return skin::ButtonSpec(id, rect);
}

ItemSpec Label(int id, const char* zh, const char* en, DesignRect rect,
               unsigned format = skin::text_format::kCenter) {
    ItemSpec item = skin::LabelSpec(id, zh, en, rect);
    item.textFormat = format;
    return item;
}

ItemSpec Indicator(int id, const char* zh, const char* en, DesignRect rect) {
    ItemSpec item = Label(id, zh, en, rect);
    item.selectedTextColor = kIndicatorSelectedColor;
    return item;
}

}  // namespace

FaceImages FaceImagesFor(int deviceType) {
    switch (deviceType) {
        case kDeviceTypeSBle:
            return {146, 147, 145};
        case kDeviceTypeS:
            return {149, 150, 148};
        case kDeviceTypePrsm:
            return {155, 156, 154};
        default:
            return {101, 102, 103};
    }
}

bool IsSModel(int deviceType) {
    return deviceType == kDeviceTypeSBle || deviceType == kDeviceTypeS;
}

const char* ModelName(int deviceType) {
    // The model's own names, held once as UTF-8 for the tables' captions.
    static const std::array<std::string, 5> names = [] {
        std::array<std::string, 5> utf8;
        for (int type = 0; type < 5; ++type) {
            utf8[static_cast<std::size_t>(type)] = Utf8FromWide(model::ModelName(type));
        }
        return utf8;
    }();
    const int type = deviceType >= 0 && deviceType < 5 ? deviceType : kDeviceTypePrsmBle;
    return names[static_cast<std::size_t>(type)].c_str();
}

DesignRect KeyRect(int key) {
    const KeyPlace place = KeyPlaceOnFace(key);
    return {place.left, place.top, place.right, place.bottom};
}

std::vector<ItemSpec> MainWindowItems(int deviceType) {
    const bool sModel = IsSModel(deviceType);
    std::vector<ItemSpec> items;
    items.reserve(kItemCapacity);

    // The bar: on the S models everything right of "WriteKeys" moves one place to the left,
    // into the gap the missing backlight button leaves.
    items.push_back(Button(kIdSave, {40, 92, 130, 128}));
    items.push_back(Button(kIdOpen, {147, 92, 237, 128}));
    items.push_back(Button(kIdDefault, {251, 92, 341, 128}));
    items.push_back(Button(kIdWriteKeys, {355, 92, 445, 128}));
    if (sModel) {
        items.push_back(Button(kIdReadAll, {460, 92, 550, 128}));
        items.push_back(Button(kIdReadCounters, {564, 92, 654, 128}));
        items.push_back(Button(kIdFirmware, {668, 92, 758, 128}));
        items.push_back(Button(kIdLanguage, {773, 92, 864, 128}));
    } else {
        items.push_back(Button(kIdBacklight, {460, 92, 550, 128}));
        items.push_back(Button(kIdReadAll, {564, 92, 654, 128}));
        items.push_back(Button(kIdReadCounters, {668, 92, 758, 128}));
        items.push_back(Button(kIdFirmware, {773, 92, 864, 128}));
        items.push_back(Button(kIdLanguage, {880, 92, 1007, 128}));
    }
    // Whether WriteKeys reads the keys back to see that the keyboard holds them.
    items.push_back(Button(kIdVerifyWrites, {740, 22, 890, 48}));
    items.push_back(Button(kIdHide, {913, 20, 938, 50}));
    items.push_back(Button(kIdHelp, {940, 20, 965, 50}));
    items.push_back(Button(kIdExit, {967, 20, 992, 50}));
    items.push_back(Button(kIdLayerNoneFn, {60, 185, 110, 237}));
    items.push_back(Button(kIdLayerLeftFn, {60, 258, 110, 310}));
    items.push_back(Button(kIdLayerRightFn, {60, 330, 110, 382}));
    // Under the layer column: the keys show their press counts instead of a layer.
    items.push_back(Button(kIdHeatMap, {50, 410, 120, 446}));

    for (int key = 1; key <= kKeyCount; ++key) {
        ItemSpec item = Button(KeyItemId(key), KeyRect(key));
        item.keyValue = key;
        item.captionZh = KeyCaptionUtf8(key);
        item.captionEn = KeyCaptionUtf8(key);
        items.push_back(item);
    }

    items.push_back(Label(kLabelSave, "保存配置", "Save", {40, 101, 130, 130}));
    items.push_back(Label(kLabelOpen, "打开配置", "Open", {147, 101, 237, 130}));
    items.push_back(Label(kLabelDefault, "恢复默认", "Default", {251, 101, 341, 130}));
    items.push_back(Label(kLabelWriteKeys, "写入按键", "WriteKeys", {355, 101, 445, 130}));
    if (sModel) {
        items.push_back(Label(kLabelReadAll, "读取配置", "ReadAll", {460, 101, 550, 130}));
        items.push_back(Label(kLabelReadCounters, "读取计数", "ReadCounter", {564, 101, 654, 130}));
        items.push_back(Label(kLabelFirmware, "固件升级", "Update", {667, 101, 758, 130}));
        items.push_back(Label(kLabelLanguage, "English", "简体中文", {772, 101, 864, 130}));
    } else {
        items.push_back(Label(kLabelBacklight, "设置背光", "LightSet", {460, 101, 550, 130}));
        items.push_back(Label(kLabelReadAll, "读取配置", "ReadAll", {564, 101, 654, 130}));
        items.push_back(Label(kLabelReadCounters, "读取计数", "ReadCounter", {668, 101, 758, 130}));
        items.push_back(Label(kLabelFirmware, "固件升级", "Update", {772, 101, 864, 130}));
        items.push_back(Label(kLabelLanguage, "English", "简体中文", {880, 101, 1005, 130}));
    }
    items.push_back(
        Indicator(kLabelVerifyWrites, "写入后校验", "Verify writes", {740, 28, 890, 50}));
    items.push_back(Label(kLabelHeatMap, "热度图", "Heat map", {50, 419, 120, 448}));
    items.push_back(Indicator(kIndicatorNoneFn, "无FN层", "NoneFN", {59, 170, 110, 190}));
    items.push_back(Indicator(kIndicatorLeftFn, "左FN层", "LeftFN", {59, 241, 110, 261}));
    items.push_back(Indicator(kIndicatorRightFn, "右FN层", "RightFN", {59, 315, 110, 335}));

    using skin::text_format::kLeft;
    items.push_back(Label(kLabelLegendCombo, "组合键", "Combo", {280, 483, 330, 503}, kLeft));
    items.push_back(Label(kLabelLegendMacro, "宏定义键", "Macro", {360, 483, 415, 503}, kLeft));
    items.push_back(
        Label(kLabelLegendEmulation, "模拟击键", "Emulation", {445, 483, 520, 503}, kLeft));
    items.push_back(
        Label(kLabelLegendMultimedia, "多媒体键", "Multimedia", {550, 483, 630, 503}, kLeft));
    items.push_back(Label(kLabelLegendMouse, "鼠标键", "Mouse", {660, 483, 710, 503}, kLeft));
    items.push_back(Label(kLabelLegendFunction, "操控键", "Function", {740, 483, 805, 503}, kLeft));
    items.push_back(Label(kLabelLegendPower, "电源键", "Power", {835, 483, 885, 503}, kLeft));
    return items;
}

}  // namespace mainwin

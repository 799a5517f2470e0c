#include "MainWindowLayout.h"

#include "OrvoHWI.h"
#include "model/CodeTables.h"
#include "model/DefaultKeyTables.h"
#include "model/WideText.h"

#include <string>

namespace mainwin {
namespace {

using skin::DesignRect;
using skin::ItemSpec;

// One row of key buttons: its top and bottom, and each key's left and right.
struct KeySpan {
    int key;
    int left;
    int right;
};
struct KeyRow {
    int top;
    int bottom;
    std::vector<KeySpan> keys;
};

const std::vector<KeyRow>& KeyRows() {
    static const std::vector<KeyRow> rows{
        {172,
         219,
         {{1, 229, 274},
          {2, 292, 337},
          {3, 337, 382},
          {4, 382, 426},
          {5, 426, 471},
          {6, 488, 533},
          {7, 533, 578},
          {8, 578, 622},
          {9, 622, 667},
          {10, 684, 729},
          {11, 729, 774},
          {12, 774, 818},
          {13, 818, 863},
          {14, 881, 926}}},
        {229,
         276,
         {{15, 229, 273},
          {16, 273, 317},
          {17, 317, 361},
          {18, 361, 405},
          {19, 405, 449},
          {20, 449, 492},
          {21, 492, 535},
          {22, 535, 578},
          {23, 578, 621},
          {24, 621, 665},
          {25, 665, 709},
          {26, 709, 752},
          {27, 752, 795},
          {28, 795, 883},
          {29, 883, 927}}},
        {276,
         320,
         {{30, 229, 297},
          {31, 297, 341},
          {32, 341, 385},
          {33, 385, 428},
          {34, 428, 471},
          {35, 471, 514},
          {36, 514, 557},
          {37, 557, 600},
          {38, 600, 644},
          {39, 644, 688},
          {40, 688, 732},
          {41, 732, 776},
          {42, 776, 819},
          {43, 819, 883},
          {44, 883, 927}}},
        {320,
         364,
         {{45, 229, 313},
          {46, 313, 356},
          {47, 356, 399},
          {48, 399, 443},
          {49, 443, 487},
          {50, 487, 531},
          {51, 531, 575},
          {52, 575, 618},
          {53, 618, 661},
          {54, 661, 704},
          {55, 704, 747},
          {56, 747, 790},
          {57, 790, 882},
          {58, 882, 926}}},
        {364,
         408,
         {{59, 229, 333},
          {60, 333, 377},
          {61, 377, 421},
          {62, 421, 465},
          {63, 465, 509},
          {64, 509, 552},
          {65, 552, 595},
          {66, 595, 638},
          {67, 638, 681},
          {68, 681, 724},
          {69, 724, 768},
          {70, 768, 839},
          {71, 839, 883},
          {72, 883, 927}}},
        {408,
         452,
         {{73, 229, 287},
          {74, 287, 343},
          {75, 343, 399},
          {76, 399, 665},
          {77, 665, 709},
          {78, 709, 753},
          {79, 753, 796},
          {80, 796, 839},
          {81, 839, 882},
          {82, 882, 925}}},
    };
    return rows;
}

ItemSpec Button(int id, DesignRect rect) {
    ItemSpec item;
    item.id = id;
    item.rect = rect;
    return item;
}

ItemSpec Label(int id, const char* zh, const char* en, DesignRect rect,
               unsigned format = skin::text_format::kCenter) {
    ItemSpec item;
    item.id = id;
    item.rect = rect;
    item.captionZh = zh;
    item.captionEn = en;
    item.isLabel = true;
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
            utf8[static_cast<std::size_t>(type)] = Utf8FromWide(::ModelName(type));
        }
        return utf8;
    }();
    const int type = deviceType >= 0 && deviceType < 5 ? deviceType : kDeviceTypePrsmBle;
    return names[static_cast<std::size_t>(type)].c_str();
}

DesignRect KeyRect(int key) {
    for (const KeyRow& row : KeyRows()) {
        for (const KeySpan& span : row.keys) {
            if (span.key == key) {
                return {span.left, row.top, span.right, row.bottom};
            }
        }
    }
    return {};
}

const char* KeyCaption(int key) {
    static const std::array<std::string, kKeyCount + 1> captions = [] {
        std::array<std::string, kKeyCount + 1> utf8;
        for (int k = 1; k <= kKeyCount; ++k) {
            utf8[static_cast<std::size_t>(k)] = Utf8FromWide(::KeyCaption(k));
        }
        return utf8;
    }();
    return key >= 1 && key <= kKeyCount ? captions[static_cast<std::size_t>(key)].c_str() : "";
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
    items.push_back(Button(kIdHide, {913, 20, 938, 50}));
    items.push_back(Button(kIdHelp, {940, 20, 965, 50}));
    items.push_back(Button(kIdExit, {967, 20, 992, 50}));
    items.push_back(Button(kIdLayerNoneFn, {60, 185, 110, 237}));
    items.push_back(Button(kIdLayerLeftFn, {60, 258, 110, 310}));
    items.push_back(Button(kIdLayerRightFn, {60, 330, 110, 382}));

    for (int key = 1; key <= kKeyCount; ++key) {
        ItemSpec item = Button(KeyItemId(key), KeyRect(key));
        item.keyValue = key;
        item.captionZh = KeyCaption(key);
        item.captionEn = KeyCaption(key);
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

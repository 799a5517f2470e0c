#include "IconPagesLayout.h"

#include <array>

namespace keysettings {
namespace {

using skin::DesignRect;

// An icon row of the tables below: id, HW code and the two texts (the tooltip, or on the Mouse
// page the label's caption). Rectangles follow from the grid each page lays its icons on.
struct IconRow {
    int id;
    int hwCode;
    const char* zh;
    const char* en;
};

// Multimedia: media keys on the upper row of eight, browser and program keys on the lower row
// of ten.
constexpr int kMediaFirstItem = 126;
constexpr std::array<IconRow, 18> kMediaIcons{{
    {401, 115, "播放器", "Media Select"},
    {402, 111, "播放/暂停", "Play/Pause"},
    {403, 110, "停止", "Stop"},
    {404, 108, "下一首", "Next Track"},
    {405, 109, "上一首", "Previous Track"},
    {406, 114, "音量减小", "Volume Down"},
    {407, 113, "音量加大", "Volume Up"},
    {408, 112, "静音", "Mute"},
    {409, 121, "后退", "WWW Back"},
    {410, 122, "前进", "WWW Forward"},
    {411, 123, "停止", "WWW Stop"},
    {412, 124, "刷新", "WWW Refresh"},
    {413, 125, "收藏夹", "WWW Favorites"},
    {414, 119, "搜索", "WWW Search"},
    {415, 116, "邮件", "E-mail"},
    {416, 120, "主页", "WWW Home"},
    {417, 118, "资源管理器", "My Computer"},
    {418, 117, "计算器", "Calculator"},
}};
constexpr int kMediaUpperRowCount = 8;

// Mouse: ten rows in the first column, three in the second; each icon carries a label of the
// same rectangle.
constexpr int kMouseFirstItem = 146;
constexpr int kMouseFirstLabelItem = 159;
constexpr int kMouseLabelIdOffset = 50;  // label 552 names icon 502
constexpr std::array<IconRow, 13> kMouseIcons{{
    {502, 126, "左移", "Move Left"},
    {503, 127, "右移", "Move Right"},
    {504, 128, "上移", "Move Up"},
    {505, 129, "下移", "Move Down"},
    {506, 130, "左键", "Left Click"},
    {507, 131, "右键", "Right Click"},
    {508, 132, "中键", "Middle Click"},
    {509, 133, "滚轮前翻", "Wheel Up"},
    {510, 134, "滚轮后翻", "Wheel Down"},
    {511, 199, "左键双击", "Left Double Click"},
    {512, 158, "单元时间", "Uint Time"},
    {513, 157, "单元像素", "Uint Pixel"},
    {514, 173, "首延迟", "First Delay"},
}};
constexpr int kMouseFirstColumnCount = 10;

// Function: key functions in two rows of nine, backlight functions in two rows of six.
constexpr int kFunctionFirstItem = 172;
constexpr std::array<IconRow, 30> kFunctionIcons{{
    {601, 170, "蓝牙设备3", "Bluetooth device3"},
    {602, 169, "蓝牙设备2", "Bluetooth device2"},
    {603, 168, "蓝牙设备1", "Bluetooth device1"},
    {604, 167, "有线/无线切换", "Wire/Wireless Exchange"},
    {605, 149, "按键触发行程切换", "Adjust Trigger Point"},
    {606, 155, "Win/Mac系统切换", "Win/Mac System Exchange"},
    {607, 171, "游戏模式", "Game mode"},
    {608, 166, "左FN键,按键的3个层须同时设置", "Left FN key,Key's 3 level must be set to LFN"},
    {609, 180, "蓝牙设备4", "Bluetooth device4"},
    {610, 153, "锁Win", "Win Lock"},
    {611, 150, "锁键盘", "Keyboard Lock"},
    {612, 156, "右FN键,按键的3个层须同时设置", "Right FN key,Key's 3 level must be set to RFN"},
    {613, 174, "按键击打速率", "Key Repeat Rate"},
    {614, 175, "按键响应延迟", "Key Response Delay"},
    {615, 152, "Caps/Ctrl切换", "Caps/Ctrl Exchange"},
    {616, 172, "节能模式", "ECO mode"},
    {617, 159, "可编程键盘", "Programmable Keyboard"},
    {618, 181, "蓝牙设备5", "Bluetooth device5"},
    {621, 137, "演示", "Demonstrate"},
    {622, 138, "流星雨", "Star shower"},
    {623, 139, "涟漪", "Riffle"},
    {624, 144, "背光亮度-", "Backlight Lighteness-"},
    {625, 145, "背光亮度+", "Backlight Lighteness+"},
    {632, 140, "演示暂停", "Demo Stop"},
    {626, 135, "背光开关", "Backlight switch"},
    {627, 141, "背光呼吸", "Backlight Breathe"},
    {628, 136, "背光自定义", "Backlight Macro"},
    {629, 143, "呼吸频率+", "Breathe Frequence+"},
    {630, 142, "呼吸频率-", "Breathe Frequence-"},
    {631, 148, "背景颜色切换", "Back Color Exchange"},
}};
constexpr int kKeyFunctionsPerRow = 9;
constexpr int kKeyFunctionCount = 18;
constexpr int kBacklightFunctionsPerRow = 6;

// Power: three buttons in a row, each with a tooltip and a label.
constexpr int kPowerFirstItem = 204;
constexpr int kPowerFirstLabelItem = 207;
constexpr std::array<IconRow, 3> kPowerIcons{{
    {701, 75, "唤醒", "WakeUp"},
    {702, 76, "睡眠", "Sleep"},
    {703, 77, "电源", "Power"},
}};
constexpr std::array<DesignRect, 3> kPowerRects{{
    {162, 160, 242, 190},
    {251, 160, 331, 190},
    {340, 160, 420, 190},
}};
// The labels sit in the buttons' lower part.
constexpr int kPowerLabelTop = 166;
constexpr std::array<const char*, 3> kPowerLabelsZh{{"唤醒", "睡眠", "电源"}};
constexpr std::array<const char*, 3> kPowerLabelsEn{{"Wake", "Sleep", "Power"}};
constexpr int kPowerLabelIdOffset = 50;  // label 751 names button 701

IconSpec Icon(int item, const IconRow& row, DesignRect rect, bool withTip) {
    IconSpec icon;
    icon.item = item;
    icon.id = row.id;
    icon.rect = rect;
    icon.hwCode = row.hwCode;
    if (withTip) {
        icon.tipZh = row.zh;
        icon.tipEn = row.en;
    }
    return icon;
}

IconPageLabel Label(int item, int id, DesignRect rect, const char* zh, const char* en,
                    unsigned format) {
    IconPageLabel label;
    label.item = item;
    label.plan.id = id;
    label.plan.rect = rect;
    label.plan.captionZh = zh;
    label.plan.captionEn = en;
    label.plan.isLabel = true;
    label.plan.textFormat = format;
    return label;
}

IconPage MediaPage() {
    IconPage page{4, 401, 418, {}, {}};
    for (int k = 0; k < static_cast<int>(kMediaIcons.size()); ++k) {
        const bool upper = k < kMediaUpperRowCount;
        const int column = upper ? k : k - kMediaUpperRowCount;
        const DesignRect rect = upper ? DesignRect{46 + 50 * column, 152, 81 + 50 * column, 188}
                                      : DesignRect{46 + 50 * column, 235, 81 + 50 * column, 272};
        page.icons.push_back(
            Icon(kMediaFirstItem + k, kMediaIcons[static_cast<std::size_t>(k)], rect, true));
    }
    page.labels.push_back(Label(144, 451, {46, 127, 167, 150}, "多媒体功能", "Media Function",
                                skin::text_format::kLeft));
    page.labels.push_back(Label(145, 452, {46, 207, 167, 230}, "浏览器功能", "Browser Function",
                                skin::text_format::kLeft));
    return page;
}

IconPage MousePage() {
    IconPage page{5, 502, 514, {}, {}};
    for (int k = 0; k < static_cast<int>(kMouseIcons.size()); ++k) {
        const IconRow& row = kMouseIcons[static_cast<std::size_t>(k)];
        const bool first = k < kMouseFirstColumnCount;
        const int r = first ? k : k - kMouseFirstColumnCount;
        const DesignRect rect = first ? DesignRect{37, 114 + 17 * r, 140, 130 + 17 * r}
                                      : DesignRect{154, 114 + 17 * r, 258, 130 + 17 * r};
        page.icons.push_back(Icon(kMouseFirstItem + k, row, rect, false));
        page.labels.push_back(Label(kMouseFirstLabelItem + k, row.id + kMouseLabelIdOffset, rect,
                                    row.zh, row.en, skin::text_format::kCenter));
    }
    return page;
}

IconPage FunctionPage() {
    IconPage page{6, 601, 633, {}, {}};
    for (int k = 0; k < static_cast<int>(kFunctionIcons.size()); ++k) {
        DesignRect rect;
        if (k < kKeyFunctionCount) {
            const int column = k % kKeyFunctionsPerRow;
            const bool upper = k < kKeyFunctionsPerRow;
            rect = {36 + 53 * column, upper ? 112 : 155, 72 + 53 * column, upper ? 148 : 191};
        } else {
            const int b = k - kKeyFunctionCount;
            const int column = b % kBacklightFunctionsPerRow;
            const bool upper = b < kBacklightFunctionsPerRow;
            rect = {36 + 64 * column, upper ? 220 : 265, 72 + 64 * column, upper ? 256 : 301};
        }
        page.icons.push_back(
            Icon(kFunctionFirstItem + k, kFunctionIcons[static_cast<std::size_t>(k)], rect, true));
    }
    page.labels.push_back(
        Label(202, 651, {36, 92, 167, 150}, "按键功能", "Key Function", skin::text_format::kLeft));
    page.labels.push_back(Label(203, 652, {36, 200, 167, 230}, "背光功能", "Backlight Function",
                                skin::text_format::kLeft));
    return page;
}

IconPage PowerPage() {
    IconPage page{7, 701, 703, {}, {}};
    for (std::size_t k = 0; k < kPowerIcons.size(); ++k) {
        const IconRow& row = kPowerIcons[k];
        const DesignRect rect = kPowerRects[k];
        page.icons.push_back(Icon(kPowerFirstItem + static_cast<int>(k), row, rect, true));
    }
    for (std::size_t k = 0; k < kPowerIcons.size(); ++k) {
        const DesignRect rect = kPowerRects[k];
        page.labels.push_back(Label(
            kPowerFirstLabelItem + static_cast<int>(k), kPowerIcons[k].id + kPowerLabelIdOffset,
            {rect.left, kPowerLabelTop, rect.right, rect.bottom}, kPowerLabelsZh[k],
            kPowerLabelsEn[k], skin::text_format::kCenter));
    }
    return page;
}

const std::array<IconPage, 4>& AllPages() {
    static const std::array<IconPage, 4> pages{MediaPage(), MousePage(), FunctionPage(),
                                               PowerPage()};
    return pages;
}

}  // namespace

const IconPage& IconPageLayout(int page) {
    const int index = page >= kFirstIconPage && page <= kLastIconPage ? page - kFirstIconPage : 0;
    return AllPages()[static_cast<std::size_t>(index)];
}

std::vector<skin::ItemSpec> IconPageItems(int page) {
    const IconPage& layout = IconPageLayout(page);
    std::vector<skin::ItemSpec> items;
    for (const IconSpec& icon : layout.icons) {
        skin::ItemSpec item;
        item.id = icon.id;
        item.rect = icon.rect;
        item.tag = icon.hwCode;
        item.tipZh = icon.tipZh;
        item.tipEn = icon.tipEn;
        items.push_back(item);
    }
    for (const IconPageLabel& label : layout.labels) {
        items.push_back(label.plan);
    }
    return items;
}

const IconSpec* FindIcon(int id) {
    for (const IconPage& page : AllPages()) {
        for (const IconSpec& icon : page.icons) {
            if (icon.id == id) {
                return &icon;
            }
        }
    }
    return nullptr;
}

}  // namespace keysettings

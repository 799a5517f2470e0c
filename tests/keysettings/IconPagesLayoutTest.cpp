#include "IconPagesLayout.h"
#include "keysettings/logic/IconChoice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

using model::KeyKind;
using model::kHWCodeDoubleClick;
using model::KindMouse;
using model::KindOfReadBackCode;

namespace {

using keysettings::IconPageLayout;
using keysettings::IconSpec;
using skin::DesignRect;

bool SameRect(const DesignRect& a, const DesignRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Every icon written out on its own: element, id, HW code, rectangle, the two
// texts (tooltip; on the Mouse page the label's caption), and where a label goes with the icon
// its element and id (and, on the Power page, its own rectangle and texts).
struct ExpectedIcon {
    int item;
    int id;
    int hwCode;
    DesignRect rect;
    const char* zh;
    const char* en;
    int labelItem = -1;
    int labelId = -1;
    DesignRect labelRect{};
    const char* labelZh = nullptr;
    const char* labelEn = nullptr;
};

const ExpectedIcon kExpectedIcons[] = {
    {126, 401, 115, {46, 152, 81, 188}, "播放器", "Media Select"},
    {127, 402, 111, {96, 152, 131, 188}, "播放/暂停", "Play/Pause"},
    {128, 403, 110, {146, 152, 181, 188}, "停止", "Stop"},
    {129, 404, 108, {196, 152, 231, 188}, "下一首", "Next Track"},
    {130, 405, 109, {246, 152, 281, 188}, "上一首", "Previous Track"},
    {131, 406, 114, {296, 152, 331, 188}, "音量减小", "Volume Down"},
    {132, 407, 113, {346, 152, 381, 188}, "音量加大", "Volume Up"},
    {133, 408, 112, {396, 152, 431, 188}, "静音", "Mute"},
    {134, 409, 121, {46, 235, 81, 272}, "后退", "WWW Back"},
    {135, 410, 122, {96, 235, 131, 272}, "前进", "WWW Forward"},
    {136, 411, 123, {146, 235, 181, 272}, "停止", "WWW Stop"},
    {137, 412, 124, {196, 235, 231, 272}, "刷新", "WWW Refresh"},
    {138, 413, 125, {246, 235, 281, 272}, "收藏夹", "WWW Favorites"},
    {139, 414, 119, {296, 235, 331, 272}, "搜索", "WWW Search"},
    {140, 415, 116, {346, 235, 381, 272}, "邮件", "E-mail"},
    {141, 416, 120, {396, 235, 431, 272}, "主页", "WWW Home"},
    {142, 417, 118, {446, 235, 481, 272}, "资源管理器", "My Computer"},
    {143, 418, 117, {496, 235, 531, 272}, "计算器", "Calculator"},
    {146, 502, 126, {37, 114, 140, 130}, "左移", "Move Left", 159, 552},
    {147, 503, 127, {37, 131, 140, 147}, "右移", "Move Right", 160, 553},
    {148, 504, 128, {37, 148, 140, 164}, "上移", "Move Up", 161, 554},
    {149, 505, 129, {37, 165, 140, 181}, "下移", "Move Down", 162, 555},
    {150, 506, 130, {37, 182, 140, 198}, "左键", "Left Click", 163, 556},
    {151, 507, 131, {37, 199, 140, 215}, "右键", "Right Click", 164, 557},
    {152, 508, 132, {37, 216, 140, 232}, "中键", "Middle Click", 165, 558},
    {153, 509, 133, {37, 233, 140, 249}, "滚轮前翻", "Wheel Up", 166, 559},
    {154, 510, 134, {37, 250, 140, 266}, "滚轮后翻", "Wheel Down", 167, 560},
    {155, 511, 199, {37, 267, 140, 283}, "左键双击", "Left Double Click", 168, 561},
    {156, 512, 158, {154, 114, 258, 130}, "单元时间", "Uint Time", 169, 562},
    {157, 513, 157, {154, 131, 258, 147}, "单元像素", "Uint Pixel", 170, 563},
    {158, 514, 173, {154, 148, 258, 164}, "首延迟", "First Delay", 171, 564},
    {172, 601, 170, {36, 112, 72, 148}, "蓝牙设备3", "Bluetooth device3"},
    {173, 602, 169, {89, 112, 125, 148}, "蓝牙设备2", "Bluetooth device2"},
    {174, 603, 168, {142, 112, 178, 148}, "蓝牙设备1", "Bluetooth device1"},
    {175, 604, 167, {195, 112, 231, 148}, "有线/无线切换", "Wire/Wireless Exchange"},
    {176, 605, 149, {248, 112, 284, 148}, "按键触发行程切换", "Adjust Trigger Point"},
    {177, 606, 155, {301, 112, 337, 148}, "Win/Mac系统切换", "Win/Mac System Exchange"},
    {178, 607, 171, {354, 112, 390, 148}, "游戏模式", "Game mode"},
    {179,
     608,
     166,
     {407, 112, 443, 148},
     "左FN键,按键的3个层须同时设置",
     "Left FN key,Key's 3 level must be set to LFN"},
    {180, 609, 180, {460, 112, 496, 148}, "蓝牙设备4", "Bluetooth device4"},
    {181, 610, 153, {36, 155, 72, 191}, "锁Win", "Win Lock"},
    {182, 611, 150, {89, 155, 125, 191}, "锁键盘", "Keyboard Lock"},
    {183,
     612,
     156,
     {142, 155, 178, 191},
     "右FN键,按键的3个层须同时设置",
     "Right FN key,Key's 3 level must be set to RFN"},
    {184, 613, 174, {195, 155, 231, 191}, "按键击打速率", "Key Repeat Rate"},
    {185, 614, 175, {248, 155, 284, 191}, "按键响应延迟", "Key Response Delay"},
    {186, 615, 152, {301, 155, 337, 191}, "Caps/Ctrl切换", "Caps/Ctrl Exchange"},
    {187, 616, 172, {354, 155, 390, 191}, "节能模式", "ECO mode"},
    {188, 617, 159, {407, 155, 443, 191}, "可编程键盘", "Programmable Keyboard"},
    {189, 618, 181, {460, 155, 496, 191}, "蓝牙设备5", "Bluetooth device5"},
    {190, 621, 137, {36, 220, 72, 256}, "演示", "Demonstrate"},
    {191, 622, 138, {100, 220, 136, 256}, "流星雨", "Star shower"},
    {192, 623, 139, {164, 220, 200, 256}, "涟漪", "Riffle"},
    {193, 624, 144, {228, 220, 264, 256}, "背光亮度-", "Backlight Lighteness-"},
    {194, 625, 145, {292, 220, 328, 256}, "背光亮度+", "Backlight Lighteness+"},
    {195, 632, 140, {356, 220, 392, 256}, "演示暂停", "Demo Stop"},
    {196, 626, 135, {36, 265, 72, 301}, "背光开关", "Backlight switch"},
    {197, 627, 141, {100, 265, 136, 301}, "背光呼吸", "Backlight Breathe"},
    {198, 628, 136, {164, 265, 200, 301}, "背光自定义", "Backlight Macro"},
    {199, 629, 143, {228, 265, 264, 301}, "呼吸频率+", "Breathe Frequence+"},
    {200, 630, 142, {292, 265, 328, 301}, "呼吸频率-", "Breathe Frequence-"},
    {201, 631, 148, {356, 265, 392, 301}, "背景颜色切换", "Back Color Exchange"},
    {204,
     701,
     75,
     {162, 160, 242, 190},
     "唤醒",
     "WakeUp",
     207,
     751,
     {162, 166, 242, 190},
     "唤醒",
     "Wake"},
    {205,
     702,
     76,
     {251, 160, 331, 190},
     "睡眠",
     "Sleep",
     208,
     752,
     {251, 166, 331, 190},
     "睡眠",
     "Sleep"},
    {206,
     703,
     77,
     {340, 160, 420, 190},
     "电源",
     "Power",
     209,
     753,
     {340, 166, 420, 190},
     "电源",
     "Power"},
};

TEST(IconPagesLayout, EveryIconWithItsPlaceCodeAndTexts) {
    std::size_t next = 0;
    for (int page = keysettings::kFirstIconPage; page <= keysettings::kLastIconPage; ++page) {
        for (const IconSpec& icon : IconPageLayout(page).icons) {
            ASSERT_LT(next, std::size(kExpectedIcons));
            const ExpectedIcon& expected = kExpectedIcons[next++];
            SCOPED_TRACE(testing::Message() << "element " << expected.item);
            EXPECT_EQ(icon.item, expected.item);
            EXPECT_EQ(icon.id, expected.id);
            EXPECT_EQ(icon.id / 100, page);
            EXPECT_EQ(icon.hwCode, expected.hwCode);
            EXPECT_TRUE(SameRect(icon.rect, expected.rect));
            const bool labelledOnly = page == 5;
            EXPECT_STREQ(icon.tipZh, labelledOnly ? "" : expected.zh);
            EXPECT_STREQ(icon.tipEn, labelledOnly ? "" : expected.en);
        }
    }
    EXPECT_EQ(next, std::size(kExpectedIcons));
}

TEST(IconPagesLayout, LabelsOfTheIconsAndTheSections) {
    // Expected labels by element: the icons' own, then the section titles.
    struct Label {
        int item;
        int id;
        DesignRect rect;
        const char* zh;
        const char* en;
        unsigned format;
    };
    std::vector<Label> expected;
    for (const ExpectedIcon& icon : kExpectedIcons) {
        if (icon.labelItem < 0) {
            continue;
        }
        const bool own = icon.labelZh != nullptr;
        expected.push_back({icon.labelItem, icon.labelId, own ? icon.labelRect : icon.rect,
                            own ? icon.labelZh : icon.zh, own ? icon.labelEn : icon.en,
                            skin::text_format::kCenter});
    }
    const unsigned left = skin::text_format::kLeft;
    expected.push_back({144, 451, {46, 127, 167, 150}, "多媒体功能", "Media Function", left});
    expected.push_back({145, 452, {46, 207, 167, 230}, "浏览器功能", "Browser Function", left});
    expected.push_back({202, 651, {36, 92, 167, 150}, "按键功能", "Key Function", left});
    expected.push_back({203, 652, {36, 200, 167, 230}, "背光功能", "Backlight Function", left});

    std::size_t found = 0;
    for (int page = keysettings::kFirstIconPage; page <= keysettings::kLastIconPage; ++page) {
        for (const keysettings::IconPageLabel& label : IconPageLayout(page).labels) {
            SCOPED_TRACE(testing::Message() << "element " << label.item);
            const Label* match = nullptr;
            for (const Label& e : expected) {
                match = e.item == label.item ? &e : match;
            }
            ASSERT_NE(match, nullptr);
            ++found;
            EXPECT_EQ(label.plan.id, match->id);
            EXPECT_TRUE(SameRect(label.plan.rect, match->rect));
            EXPECT_STREQ(label.plan.captionZh, match->zh);
            EXPECT_STREQ(label.plan.captionEn, match->en);
            EXPECT_TRUE(label.plan.isLabel);
            EXPECT_EQ(label.plan.textFormat, match->format);
        }
    }
    EXPECT_EQ(found, expected.size());
}

TEST(IconPagesLayout, ElementsFollowEachOtherWithoutGapsOrOverlaps) {
    int nextItem = 126;  // the icon pages' elements come after those of pages 1 to 3
    for (int page = keysettings::kFirstIconPage; page <= keysettings::kLastIconPage; ++page) {
        SCOPED_TRACE(testing::Message() << "page " << page);
        const keysettings::IconPage& layout = IconPageLayout(page);
        std::vector<int> items;
        for (const IconSpec& icon : layout.icons) {
            items.push_back(icon.item);
            EXPECT_GE(icon.id, layout.firstId);
            EXPECT_LE(icon.id, layout.lastId);
            for (const IconSpec& other : layout.icons) {
                const bool apart =
                    other.rect.left >= icon.rect.right || icon.rect.left >= other.rect.right ||
                    other.rect.top >= icon.rect.bottom || icon.rect.top >= other.rect.bottom;
                EXPECT_TRUE(&other == &icon || apart) << icon.id << " and " << other.id;
            }
        }
        for (const keysettings::IconPageLabel& label : layout.labels) {
            items.push_back(label.item);
        }
        for (int item : items) {
            EXPECT_EQ(item, nextItem++);
        }
        // The dialog's table takes the same elements in the same order.
        const std::vector<skin::ItemSpec> planned = keysettings::IconPageItems(page);
        ASSERT_EQ(planned.size(), items.size());
        for (std::size_t i = 0; i < layout.icons.size(); ++i) {
            EXPECT_EQ(planned[i].id, layout.icons[i].id);
            EXPECT_FALSE(planned[i].isLabel);
            EXPECT_EQ(keysettings::FindIcon(planned[i].id), &layout.icons[i]);
            // The element carries what the dialog chooses and names by it.
            EXPECT_EQ(planned[i].tag, layout.icons[i].hwCode);
            EXPECT_STREQ(planned[i].tipZh, layout.icons[i].tipZh);
            EXPECT_STREQ(planned[i].tipEn, layout.icons[i].tipEn);
        }
    }
    EXPECT_EQ(nextItem, 210);
    EXPECT_EQ(keysettings::FindIcon(420), nullptr);
}

TEST(IconPagesLayout, EachPageAssignsTheKindItsCodesReadBackAs) {
    for (int page = keysettings::kFirstIconPage; page <= keysettings::kLastIconPage; ++page) {
        for (const IconSpec& icon : IconPageLayout(page).icons) {
            SCOPED_TRACE(testing::Message() << "HW code " << icon.hwCode);
            // The double click reads back from its pair of left clicks as a mouse code.
            const KeyKind readBack =
                icon.hwCode == kHWCodeDoubleClick ? KindMouse : KindOfReadBackCode(icon.hwCode);
            EXPECT_EQ(readBack, keysettings::KindOfIconPage(page));
        }
    }
}

TEST(IconChoice, SelectingSwitchingAndWithdrawing) {
    using keysettings::ChoiceAfterClick;
    using keysettings::kNoIconChoice;
    EXPECT_EQ(ChoiceAfterClick(kNoIconChoice, 112), 112);
    EXPECT_EQ(ChoiceAfterClick(112, 113), 113);
    EXPECT_EQ(ChoiceAfterClick(112, 112), kNoIconChoice);
    EXPECT_FALSE(keysettings::IsAssignable(kNoIconChoice));
    EXPECT_TRUE(keysettings::IsAssignable(75));

    EXPECT_TRUE(keysettings::WritesAllLayers(156));
    EXPECT_TRUE(keysettings::WritesAllLayers(166));
    EXPECT_FALSE(keysettings::WritesAllLayers(171));

    EXPECT_TRUE(keysettings::ShowsTooltip(408, false));
    EXPECT_FALSE(keysettings::ShowsTooltip(408, true));
    EXPECT_FALSE(keysettings::ShowsTooltip(502, false));
    EXPECT_TRUE(keysettings::ShowsTooltip(632, false));
    EXPECT_TRUE(keysettings::ShowsTooltip(703, false));
}

}  // namespace

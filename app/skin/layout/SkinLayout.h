// Element tables of the skinned windows in design coordinates (pixels of a window's background
// image). Kept free of Qt so that the artwork generator draws every picture from the very
// rectangles the windows hit-test and paint.
#pragma once

#include <cstdint>

namespace skin {

// A rectangle as the windows use it: right and bottom are exclusive.
struct DesignRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// Text placement flags of a caption, with the values the windows' tables are written in.
namespace text_format {
constexpr unsigned kLeft = 0x00;
constexpr unsigned kCenter = 0x01;
constexpr unsigned kRight = 0x02;
constexpr unsigned kVCenter = 0x04;
constexpr unsigned kBottom = 0x08;
constexpr unsigned kWordBreak = 0x10;
constexpr unsigned kSingleLine = 0x20;
}  // namespace text_format

constexpr Rgb kDefaultTextColor{200, 200, 200};
constexpr int kDefaultFontIndex = 13;

// One element of a window's table: a button, a key or a label. Captions are UTF-8.
struct ItemSpec {
    int id = -1;
    DesignRect rect;
    const char* captionZh = "";
    const char* captionEn = "";
    bool isLabel = false;
    int keyValue = -1;
    Rgb textColor = kDefaultTextColor;
    Rgb selectedTextColor = kDefaultTextColor;
    unsigned textFormat = text_format::kCenter;
    int fontIndex = kDefaultFontIndex;
    bool showCaption = false;  // a button or row that draws its caption too
    bool textVisible = true;   // the caption may be drawn
    int tag = -1;              // a second integer for the window's own use
    const char* tipZh = "";    // tooltip texts, for windows that show tips
    const char* tipEn = "";
};

// A button of a table: an id and a rectangle. Its own captions are not drawn (a label of its
// own shows the text), but a table may still give them.
constexpr ItemSpec ButtonSpec(int id, DesignRect rect, const char* zh = "", const char* en = "") {
    ItemSpec item;
    item.id = id;
    item.rect = rect;
    item.captionZh = zh;
    item.captionEn = en;
    return item;
}

// A text label of a table, in design coordinates.
constexpr ItemSpec LabelSpec(int id, const char* zh, const char* en, DesignRect rect,
                             unsigned format = text_format::kCenter) {
    ItemSpec item;
    item.id = id;
    item.rect = rect;
    item.captionZh = zh;
    item.captionEn = en;
    item.isLabel = true;
    item.textFormat = format;
    return item;
}

// The size of a window's face, which is the size of its background image.
struct FaceSize {
    int width = 0;
    int height = 0;
};

}  // namespace skin

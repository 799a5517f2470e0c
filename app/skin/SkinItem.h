// One element of a skinned window: a button, a close box, a key or a text label.
#pragma once

#include "SkinLayout.h"

#include <QColor>

#include <map>
#include <string>
#include <vector>

namespace skin {

struct SkinItem {
    int id = -1;  // below 1: ignored everywhere; below 100 a button, from 100 on keys or entries
    std::map<std::string, std::wstring> captions;  // by language code; missing reads as empty
    std::map<std::string, std::wstring> tips;
    DesignRect rect;  // window coordinates once the window is open; design coordinates for labels
    QColor textColor{200, 200, 200};
    QColor selectedTextColor{200, 200, 200};
    int keyValue = -1;  // the key the element stands for; below 1: none
    int tag = -1;       // a second integer for the window's own use
    bool isSelected = false;
    bool isLabel = false;  // text only: never scaled, never hit, never highlighted
    bool showCaption = false;
    bool textVisible = true;
    bool hovered = false;
    unsigned textFormat = text_format::kCenter;
    int fontIndex = kDefaultFontIndex;

    // The caption for a language, or an empty text.
    std::wstring caption(const std::string& language) const;
};

// A colour of the Qt-free tables as the painters take it.
QColor ToQColor(const Rgb& rgb);

// An element as a window's table gives it (captions in Chinese and English).
SkinItem ItemFromSpec(const ItemSpec& entry);
// A window's whole table, in order.
std::vector<SkinItem> ItemsFromSpecs(const std::vector<ItemSpec>& entries);

}  // namespace skin

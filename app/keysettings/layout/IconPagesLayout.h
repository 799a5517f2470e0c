// The icon pages of the key settings dialog in design coordinates: Multimedia (page 4), Mouse
// (5), Function (6) and Power (7). Each icon stands for one HW code that the keyboard carries
// out itself; it is named by a tooltip (pages 4, 6 and 7) or by a label on it (pages 5 and 7).
// Shared by the dialog and the artwork generator, which paints the icons at these rectangles.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace keysettings {

constexpr int kFirstIconPage = 4;
constexpr int kLastIconPage = 7;

// One icon: its place in the dialog's element table, its id (which also says its page, id /
// 100), its rectangle, the HW code it chooses (the element's tag) and its tooltip in both
// languages (UTF-8; empty on the Mouse page, whose icons carry labels instead).
struct IconSpec {
    int item = -1;
    int id = -1;
    skin::DesignRect rect;
    int hwCode = -1;
    const char* tipZh = "";
    const char* tipEn = "";
};

// A label of an icon page with its place in the element table.
struct IconPageLabel {
    int item = -1;
    skin::ItemSpec plan;
};

struct IconPage {
    int page = 0;
    // Ids a choice on this page deselects (the icon ids lie within).
    int firstId = 0;
    int lastId = 0;
    std::vector<IconSpec> icons;        // in element order
    std::vector<IconPageLabel> labels;  // in element order: section titles, icon labels
};

// The layout of page 4..7; any other number gives page 4's.
const IconPage& IconPageLayout(int page);

// The page's elements as the dialog's table takes them, in element order: the icons (buttons
// without text, their tag the HW code they choose, their tips the icon's), then the labels.
std::vector<skin::ItemSpec> IconPageItems(int page);

// The icon of an id on any icon page, or null.
const IconSpec* FindIcon(int id);

}  // namespace keysettings

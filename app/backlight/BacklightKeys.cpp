#include "BacklightKeys.h"

#include "model/CodeTables.h"

using model::KeyCaptionUtf8;

namespace backlight {
namespace {

// One row of keys: its top and bottom, and each key's left and right.
struct KeySpan {
    int left;
    int right;
};
struct KeyRow {
    int firstKey;
    int top;
    int bottom;
    std::vector<KeySpan> keys;  // keys firstKey, firstKey + 1, ... left to right
};

const std::vector<KeyRow>& KeyRows() {
    static const std::vector<KeyRow> rows{
        {1,
         111,
         156,
         {{82, 125},
          {147, 188},
          {192, 233},
          {237, 277},
          {281, 322},
          {343, 384},
          {388, 429},
          {433, 473},
          {477, 518},
          {539, 580},
          {584, 625},
          {629, 669},
          {673, 714},
          {735, 776}}},
        {15,
         168,
         209,
         {{82, 124},
          {128, 168},
          {172, 212},
          {216, 256},
          {260, 300},
          {304, 343},
          {347, 386},
          {390, 429},
          {433, 472},
          {476, 516},
          {520, 560},
          {564, 603},
          {607, 646},
          {650, 733},
          {737, 777}}},
        {30,
         213,
         253,
         {{82, 148},
          {152, 192},
          {196, 236},
          {240, 279},
          {283, 322},
          {326, 365},
          {369, 408},
          {412, 451},
          {455, 495},
          {499, 539},
          {543, 583},
          {587, 627},
          {631, 670},
          {674, 733},
          {737, 777}}},
        {45,
         257,
         297,
         {{82, 164},
          {168, 207},
          {211, 250},
          {254, 294},
          {298, 338},
          {342, 382},
          {386, 426},
          {430, 469},
          {473, 512},
          {516, 555},
          {559, 598},
          {602, 641},
          {645, 733},
          {737, 777}}},
        {59,
         301,
         342,
         {{82, 184},
          {188, 228},
          {232, 272},
          {276, 316},
          {320, 360},
          {364, 403},
          {407, 446},
          {450, 489},
          {493, 532},
          {536, 575},
          {579, 619},
          {623, 689},
          {693, 733},
          {737, 777}}},
        {73,
         346,
         389,
         {{82, 138},
          {142, 194},
          {198, 250},
          {254, 516},
          {520, 560},
          {564, 604},
          {608, 647},
          {651, 690},
          {694, 733},
          {737, 777}}},
    };
    return rows;
}

}  // namespace

skin::DesignRect KeyRect(int key) {
    for (const KeyRow& row : KeyRows()) {
        const int index = key - row.firstKey;
        if (index >= 0 && index < static_cast<int>(row.keys.size())) {
            const KeySpan& span = row.keys[static_cast<std::size_t>(index)];
            return {span.left, row.top, span.right, row.bottom};
        }
    }
    return {};
}

std::vector<skin::ItemSpec> KeyItems() {
    std::vector<skin::ItemSpec> items;
    items.reserve(kKeyCount);
    for (int key = 1; key <= kKeyCount; ++key) {
        skin::ItemSpec item;
        item.id = KeyItemId(key);
        item.rect = KeyRect(key);
        item.keyValue = key;
        // The key's name, as the main window's key carries it.
        item.captionZh = KeyCaptionUtf8(key);
        item.captionEn = KeyCaptionUtf8(key);
        items.push_back(item);
    }
    return items;
}

}  // namespace backlight

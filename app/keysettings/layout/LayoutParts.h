// Pieces the page tables of the key settings dialog share: list rows, and the "Record" caption
// with its green "Stop Rec" twin that shows while a recording runs.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace keysettings::layout_parts {

constexpr skin::Rgb kGreen{0, 255, 0};

// A list row: shows its caption (filled from the list when painting) in the rows' font.
skin::ItemSpec Row(int id, skin::DesignRect rect, unsigned format);

// The rows of a list view of pages 2 and 3: `count` rows from `firstId` on, 14 pixels apart,
// between `left` and `right`.
void AppendListRows(std::vector<skin::ItemSpec>& items, int firstId, int count, int left,
                    int right);

// The record button's two captions at the same place: "Record", and "Stop Rec" in green,
// hidden until a recording starts.
void AppendRecordLabels(std::vector<skin::ItemSpec>& items, int startId, int stopId,
                        skin::DesignRect rect);

}  // namespace keysettings::layout_parts

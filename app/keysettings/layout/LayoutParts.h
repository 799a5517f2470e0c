// Pieces the page tables of the key settings dialog share: list rows, and the "Record" caption
// with its green "Stop Rec" twin that shows while a recording runs.
#pragma once

#include "KeySettingsLayout.h"
#include "SkinLayout.h"

#include <vector>

namespace keysettings::layout_parts {

constexpr skin::Rgb kGreen{0, 255, 0};

// A list row: shows its caption (filled from the list when painting) in the rows' font.
skin::ItemSpec Row(int id, skin::DesignRect rect, unsigned format);

// Pages 2 and 3 lay out their library alike: the New and Remove buttons with their captions
// under the library's names, the names' rows on the left, the content's rows beside them.
constexpr skin::DesignRect kNewButton{45, 258, 105, 288};
constexpr skin::DesignRect kRemoveButton{114, 258, 174, 288};
constexpr skin::DesignRect kNewCaption{45, 264, 105, 288};
constexpr skin::DesignRect kRemoveCaption{114, 264, 174, 288};
constexpr skin::DesignRect kLibraryTitle{37, 95, 178, 111};
constexpr skin::DesignRect kContentTitle{213, 95, 355, 111};
// The rows of the library (`rows` from plan.firstRowId on) and of its content (`contentRows`
// from plan.firstContentRowId on), 14 pixels apart.
void AppendLibraryRows(std::vector<skin::ItemSpec>& items, const LibrarySpec& plan,
                       int contentRows);

// The record button's two captions at the same place: "Record", and "Stop Rec" in green,
// hidden until a recording starts.
void AppendRecordLabels(std::vector<skin::ItemSpec>& items, int startId, int stopId,
                        skin::DesignRect rect);

}  // namespace keysettings::layout_parts

// The icons of the key settings dialog's Multimedia, Mouse, Function and Power pages (4 to 7),
// painted from the pages' icon tables onto the pages' pictures: square key caps holding a glyph
// on pages 4 and 6, bars on page 5 that the program writes their labels on, buttons with a
// glyph beside the label on page 7.
#pragma once

#include "ArtStyle.h"
#include "IconPagesLayout.h"

class QPainter;

namespace art {

// Paints every icon of page 4..7 in one look (Look::Active is the selected look) onto a
// picture of that page at design size, each at its table rectangle. The page's base picture
// takes Look::Base, its hover picture Look::Hover, its selected picture Look::Active. Returns
// false when an icon of the table has no glyph (a HW code added to the table without a
// picture): the generator should then fail rather than ship a blank key cap.
[[nodiscard]] bool DrawKeySettingsIcons(QPainter& painter, int page, Look look);

// One icon of page 4..7 in one look at its table rectangle; false when it has no glyph.
[[nodiscard]] bool DrawKeySettingsIcon(QPainter& painter, int page,
                                       const keysettings::IconSpec& icon, Look look);

}  // namespace art

// A key's backlight colour as the windows handle it: to and from Qt's colours (the chooser, the
// pens) and as the "#rrggbb" text a user can match exactly.
#pragma once

#include "model/KeyboardProfile.h"

#include <QColor>
#include <QString>

namespace backlight {

QColor ToQColor(const model::RGBColor& color);
model::RGBColor FromQColor(const QColor& color);
// "#rrggbb", lower-case.
QString HexText(const model::RGBColor& color);

}  // namespace backlight

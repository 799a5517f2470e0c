// Texts that must show whole in a fixed place: captions of the skinned windows and the text of
// their display boxes.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

namespace skin {

// The font a text is drawn in: `font`, or, when the text is wider than the area (a long
// translation, a wide system font, a long version text), the largest smaller one that holds
// it, so that nothing is cut off. Text of several lines must also fit the area's height.
QFont FittingFont(const QFont& font, const QRect& area, int flags, const QString& text);

}  // namespace skin

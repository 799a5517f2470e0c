#include "LightColors.h"

using model::RGBColor;

namespace backlight {

QColor ToQColor(const RGBColor& color) {
    return QColor(color.Red, color.Green, color.Blue);
}

RGBColor FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return {rgb.red(), rgb.green(), rgb.blue()};
}

QString HexText(const RGBColor& color) {
    return ToQColor(color).name(QColor::HexRgb);
}

}  // namespace backlight

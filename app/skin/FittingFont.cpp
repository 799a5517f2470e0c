#include "FittingFont.h"

#include <QFontMetrics>

namespace skin {
namespace {

// Texts are never drawn smaller than this, however long.
constexpr int kSmallestPixels = 9;
// A text's advance includes a pixel or two of bearing after its last letter: a text that
// overflows by no more than that loses no ink and keeps its size.
constexpr int kBearingPixels = 2;

}  // namespace

QFont FittingFont(const QFont& font, const QRect& area, int flags, const QString& text) {
    const bool severalLines = text.contains(QLatin1Char('\n')) || (flags & Qt::TextWordWrap) != 0;
    if (font.pixelSize() <= kSmallestPixels) {
        return font;  // small already, or sized in points (font 0)
    }
    QFont fitting = font;
    for (int pixels = font.pixelSize(); pixels > kSmallestPixels; --pixels) {
        fitting.setPixelSize(pixels);
        const QRect bounds = QFontMetrics(fitting).boundingRect(area, flags, text);
        if (bounds.width() <= area.width() + kBearingPixels &&
            (!severalLines || bounds.height() <= area.height())) {
            return fitting;
        }
    }
    fitting.setPixelSize(kSmallestPixels);
    return fitting;
}

}  // namespace skin

// The notice of the keyboard search: the face, and a key cap under a magnifying glass beside
// the two lines the program writes.
#include "ArtStyle.h"
#include "Artwork.h"
#include "KeyboardSearchLayout.h"

#include <QPainter>

namespace art {
namespace {

constexpr QRgb kColorKey = qRgb(255, 0, 0);
constexpr qreal kFaceRadius = 14.0;

void DrawMagnifier(QPainter& painter, const QRectF& keyCap) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(keyCap.right() - 6, keyCap.top() + 14);
    constexpr qreal kRadius = 13.0;
    painter.setPen(QPen(palette::kAccent, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(255, 255, 255, 28));
    painter.drawEllipse(centre, kRadius, kRadius);
    const qreal reach = kRadius * 0.7071;
    painter.setPen(QPen(palette::kAccent, 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(reach, reach), centre + QPointF(reach + 11, reach + 11));
    painter.restore();
}

QImage DrawKeyboardSearchFace() {
    QImage canvas = NewCanvas(keyboard_search::kFaceSize);
    QPainter painter(&canvas);
    DrawFace(painter, keyboard_search::kFaceSize, kFaceRadius);
    const QRectF keyCap = ToRectF(keyboard_search::kKeyCapRect);
    DrawKeyCap(painter, keyCap, QStringLiteral("Z9"), Look::Base);
    DrawMagnifier(painter, keyCap);
    painter.end();
    return Flatten(canvas, QColor(kColorKey));
}

}  // namespace

std::vector<ArtImage> KeyboardSearchImages() {
    return {{keyboard_search::kImageBackground, DrawKeyboardSearchFace()}};
}

}  // namespace art

// The multi-key light selection window: title strip with the close box and "Set Color", and the
// keyboard. The second picture shows the buttons highlighted and every key marked: the window
// copies a button from it under the pointer and a key from it while the key is selected.
#include "ArtStyle.h"
#include "Artwork.h"
#include "BacklightKeyboardArt.h"
#include "MultiSelectLayout.h"

#include <QPainter>
#include <QPainterPath>

namespace art {
namespace {

constexpr qreal kFaceRadius = 16.0;
// No divider: "Set Color" sits right under the title.
constexpr qreal kNoDivider = -1.0;

// A selected key: the highlighted cap with a tick in its top right corner.
void DrawMarkedKey(QPainter& painter, int key, const QRectF& rect) {
    DrawBacklightKey(painter, key, Look::Hover);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(rect.right() - 14, rect.top() + 3, 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::kAccent);
    painter.drawEllipse(badge);
    QPainterPath tick;
    tick.moveTo(badge.left() + 2.5, badge.center().y());
    tick.lineTo(badge.center().x() - 0.5, badge.bottom() - 2.5);
    tick.lineTo(badge.right() - 2.2, badge.top() + 2.8);
    painter.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
    painter.restore();
}

QImage DrawMultiSelectFace(Look look) {
    QImage canvas = NewCanvas(backlight::kMultiSelectFaceSize);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawDialogFace(painter, backlight::kMultiSelectFaceSize, kFaceRadius, kNoDivider);
    DrawBacklightPlate(painter);
    DrawDialogElements(painter, backlight::MultiSelectItems(), backlight::kIdMultiClose, look,
                       [&painter, look](const skin::ItemSpec& key) {
                           if (look == Look::Base) {
                               DrawBacklightKey(painter, key.keyValue, Look::Active);
                           } else {
                               DrawMarkedKey(painter, key.keyValue, ToRectF(key.rect));
                           }
                       });
    painter.end();
    return Flatten(canvas, ToColor(backlight::kColorKey));
}

}  // namespace

std::vector<ArtImage> MultiSelectImages() {
    return {{backlight::kMultiSelectImageBackground, DrawMultiSelectFace(Look::Base)},
            {backlight::kMultiSelectImageMarked, DrawMultiSelectFace(Look::Hover)}};
}

}  // namespace art

// The progress dialog: title strip with its close button, the track of the progress bar with a
// key cap it fills towards, and the cancel button.
#include "ArtStyle.h"
#include "Artwork.h"
#include "ProgressLayout.h"

#include <QLinearGradient>
#include <QPainter>

namespace art {
namespace {

constexpr QRgb kColorKey = qRgb(255, 0, 0);
constexpr qreal kFaceRadius = 14.0;
const QRectF kTrack = ToRectF(progress::kBarRect);
const QRectF kTargetKey(238, 141, 86, 40);

void DrawBar(QPainter& painter, bool filled) {
    DrawPanel(painter, kTrack, 5, palette::kPanel);
    if (!filled) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF fill = kTrack.adjusted(2, 2, -2, -2);
    QLinearGradient gradient(fill.topLeft(), fill.bottomLeft());
    gradient.setColorAt(0.0, palette::kAccentLight);
    gradient.setColorAt(1.0, palette::kAccentDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(fill, 3.5, 3.5);
    // Diagonal stripes, so a moving bar reads as work in progress.
    painter.setClipRect(fill);
    painter.setPen(QPen(QColor(255, 255, 255, 36), 4.0));
    for (qreal x = fill.left() - fill.height(); x < fill.right(); x += 12) {
        painter.drawLine(QPointF(x, fill.bottom()), QPointF(x + fill.height(), fill.top()));
    }
    painter.restore();
}

void DrawBackground(QPainter& painter) {
    DrawFace(painter, progress::kFaceSize, kFaceRadius);
    DrawLogo(painter, QRectF(18, 16, 24, 24));
    painter.save();
    painter.setPen(QPen(palette::kDivider, 1.0));
    painter.drawLine(QPointF(16, 54.5), QPointF(354, 54.5));
    painter.restore();

    // A key cap and a connector: the data goes to the keyboard.
    DrawKeyCap(painter, kTargetKey.adjusted(34, 0, 0, 0), QStringLiteral("Z9"), Look::Active);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette::kGlyph, 1.6, Qt::DotLine, Qt::RoundCap));
    painter.drawLine(QPointF(kTrack.right() + 6, kTrack.center().y()),
                     QPointF(kTargetKey.left() + 30, kTrack.center().y()));
    painter.restore();
}

QImage DrawProgressFace(Look look) {
    QImage canvas = NewCanvas(progress::kFaceSize);
    QPainter painter(&canvas);
    DrawBackground(painter);
    DrawBar(painter, look == Look::Active);
    for (const skin::ItemSpec& item : progress::ProgressItems()) {
        if (item.isLabel) {
            continue;
        }
        const QRectF rect = ToRectF(item.rect);
        if (item.id == progress::kIdClose) {
            DrawWindowButton(painter, rect, Glyph::Close, look);
        } else {
            DrawButton(painter, rect, look);
        }
    }
    painter.end();
    return Flatten(canvas, QColor(kColorKey));
}

}  // namespace

std::vector<ArtImage> ProgressImages() {
    return {{progress::kImageBackground, DrawProgressFace(Look::Base)},
            {progress::kImageHover, DrawProgressFace(Look::Hover)},
            {progress::kImageSelected, DrawProgressFace(Look::Active)}};
}

}  // namespace art

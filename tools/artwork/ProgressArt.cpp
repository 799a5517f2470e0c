// The progress dialog: title strip with its close button, the track of the progress bar with a
// key cap it fills towards, and the cancel button.
#include "ArtStyle.h"
#include "Artwork.h"
#include "ProgressLayout.h"

#include <QPainter>

namespace art {
namespace {

constexpr QRgb kColorKey = qRgb(255, 0, 0);
constexpr qreal kFaceRadius = 14.0;
const QRectF kTrack = ToRectF(progress::kBarRect);
const QRectF kTargetKey(238, 141, 86, 40);

void DrawBackground(QPainter& painter) {
    DrawDialogFace(painter, progress::kFaceSize, kFaceRadius, 54.5);

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
    DrawProgressTrack(painter, kTrack, look == Look::Active);
    DrawDialogElements(painter, progress::ProgressItems(), progress::kIdClose, look);
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

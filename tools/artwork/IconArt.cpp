#include "ArtStyle.h"
#include "Artwork.h"

#include <QPainter>

namespace art {

QImage ApplicationIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const qreal margin = size / 16.0;
    DrawLogo(painter, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
    painter.end();
    return icon;
}

}  // namespace art

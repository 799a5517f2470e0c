// Pieces of the small skinned windows that tests build for themselves.
#pragma once

#include "SkinItem.h"

#include <QColor>
#include <QImage>
#include <QSize>

namespace testkit {

// A picture of one colour, as a window's face or one of its looks.
inline QImage FilledPicture(const QSize& size, const QColor& color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// An element with an id and a rectangle, all else as the defaults.
inline skin::SkinItem Element(int id, skin::DesignRect rect) {
    skin::SkinItem item;
    item.id = id;
    item.rect = rect;
    return item;
}

}  // namespace testkit

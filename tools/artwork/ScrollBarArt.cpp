// The scroll bars' skin: one grid of square cells, arrows, thumb and track of a vertical bar,
// the same turned for a horizontal bar, each in its normal, hover and pressed look. The thumb
// keeps its rounded ends within the cell's first and last pixels the bar leaves unstretched,
// and thumb middle and track are uniform along the bar so that they tile without seams.
#include "ArtStyle.h"
#include "Artwork.h"
#include "ScrollBarSkin.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace art {
namespace {

namespace cells = skin::scrollbar_skin;

constexpr int kCell = cells::kCellSize;
const QColor kTrack = palette::kPanel;
const QColor kGroove(0x24, 0x27, 0x2d);

Look LookOfRow(int row) {
    switch (row) {
        case cells::kRowHover:
            return Look::Hover;
        case cells::kRowPressed:
            return Look::Active;
        default:
            return Look::Base;
    }
}

// The track: dark, with a thin groove down the middle.
void DrawTrack(QPainter& painter) {
    painter.fillRect(QRectF(0, 0, kCell, kCell), kTrack);
    painter.fillRect(QRectF(kCell / 2.0 - 1, 0, 2, kCell), kGroove);
}

void DrawThumb(QPainter& painter, Look look) {
    DrawTrack(painter);
    QColor fill(0x4a, 0x4f, 0x58);
    QColor rim(0x5c, 0x62, 0x6c);
    if (look == Look::Hover) {
        fill = QColor(0x6a, 0x5a, 0x4e);
        rim = palette::kAccent;
    } else if (look == Look::Active) {
        fill = palette::kAccentDeep;
        rim = palette::kAccentLight;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(rim, 1.0));
    painter.setBrush(fill);
    // Runs past the cell's ends: the bar takes the rounded ends from the cell's first and last
    // pixels and tiles the straight middle between them.
    const qreal radius = cells::kThumbCapLength;
    painter.drawRoundedRect(QRectF(2.5, 0.5, kCell - 5.0, kCell - 1.0), radius, radius);
    painter.restore();
}

// An arrow button; `down` points it down (right, once turned for a horizontal bar).
void DrawArrow(QPainter& painter, bool down, Look look) {
    DrawTrack(painter);
    QColor body(0x2d, 0x31, 0x38);
    QColor rim(0x3a, 0x3f, 0x48);
    QColor glyph = palette::kGlyph;
    if (look == Look::Hover) {
        body = QColor(0x3a, 0x3f, 0x48);
        rim = palette::kAccent;
        glyph = Qt::white;
    } else if (look == Look::Active) {
        body = QColor(0xc2, 0x52, 0x00);
        rim = palette::kAccentLight;
        glyph = Qt::white;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(rim, 1.0));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kCell - 1.0, kCell - 1.0), 3, 3);
    const qreal centre = kCell / 2.0;
    const qreal half = kCell * 0.22;
    const qreal tip = down ? centre + half * 0.8 : centre - half * 0.8;
    const qreal base = down ? centre - half * 0.8 : centre + half * 0.8;
    QPolygonF arrow;
    arrow << QPointF(centre, tip) << QPointF(centre - half, base) << QPointF(centre + half, base);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    painter.drawPolygon(arrow);
    painter.restore();
}

void DrawCell(QPainter& painter, int column, int row) {
    const Look look = LookOfRow(row);
    switch (column) {
        case cells::kColumnBackArrow:
            DrawArrow(painter, false, look);
            break;
        case cells::kColumnForwardArrow:
            DrawArrow(painter, true, look);
            break;
        case cells::kColumnThumb:
            DrawThumb(painter, look);
            break;
        default:
            // The track has one look; the unused column repeats it.
            DrawTrack(painter);
            break;
    }
}

}  // namespace

std::vector<ArtImage> ScrollBarImages() {
    QImage skin(kCell * cells::kColumnCount, kCell * cells::kRowCount, QImage::Format_RGB32);
    skin.fill(kTrack);
    QPainter painter(&skin);
    for (int row = 0; row < cells::kRowCount; ++row) {
        for (int column = 0; column < cells::kHorizontalOffset; ++column) {
            // The vertical bar's cell, then the same cell mirrored along its diagonal for the
            // horizontal bar: up becomes left, down becomes right, the groove runs across.
            painter.setTransform(QTransform::fromTranslate(column * kCell, row * kCell));
            DrawCell(painter, column, row);
            painter.setTransform(
                QTransform(0, 1, 1, 0, (column + cells::kHorizontalOffset) * kCell, row * kCell));
            DrawCell(painter, column, row);
        }
    }
    painter.end();
    return {{cells::kImage, skin}};
}

}  // namespace art

#include "ArtStyle.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace art {
namespace {

// Pixels at least this opaque belong to the face; the rest become the colour key.
constexpr int kOpaqueThreshold = 128;
constexpr int kCaptionPixelSize = 11;
constexpr int kSmallestCaptionPixelSize = 8;
constexpr qreal kCapInset = 1.5;
constexpr qreal kCapRadius = 5.0;

QFont ArtFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont FittingFont(const QString& text, qreal width) {
    for (bool bold : {true, false}) {
        for (int pixelSize = kCaptionPixelSize; pixelSize >= kSmallestCaptionPixelSize;
             --pixelSize) {
            QFont font = ArtFont(pixelSize, bold);
            if (QFontMetricsF(font).horizontalAdvance(text) <= width) {
                return font;
            }
        }
    }
    return ArtFont(kSmallestCaptionPixelSize, false);
}

}  // namespace

QRectF ToRectF(const skin::DesignRect& rect) {
    return QRectF(rect.left, rect.top, rect.width(), rect.height());
}

QColor ToColor(const skin::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QImage NewCanvas(skin::FaceSize size) {
    QImage canvas(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage Flatten(const QImage& canvas, QColor colorKey) {
    const QImage straight = canvas.convertToFormat(QImage::Format_ARGB32);
    QImage result(straight.size(), QImage::Format_RGB32);
    for (int y = 0; y < straight.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = source[x];
            target[x] = qAlpha(pixel) >= kOpaqueThreshold
                            ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel))
                            : colorKey.rgb();
        }
    }
    return result;
}

void DrawFace(QPainter& painter, skin::FaceSize size, qreal radius) {
    const QRectF outer(0.5, 0.5, size.width - 1.0, size.height - 1.0);
    QLinearGradient gradient(0, 0, 0, size.height);
    gradient.setColorAt(0.0, palette::kFaceTop);
    gradient.setColorAt(1.0, palette::kFaceBottom);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette::kFaceRim, 1.0));
    painter.setBrush(gradient);
    painter.drawRoundedRect(outer, radius, radius);
    // A faint highlight along the top edge lifts the slab off the desktop.
    painter.setPen(QPen(QColor(255, 255, 255, 18), 1.0));
    painter.drawLine(QPointF(radius, 1.5), QPointF(size.width - radius, 1.5));
    painter.restore();
}

void DrawPanel(QPainter& painter, const QRectF& rect, qreal radius, QColor fill) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette::kPanelRim, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // Inner shadow along the top edge: the panel sits below the face.
    painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    painter.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5),
                     QPointF(rect.right() - radius, rect.top() + 1.5));
    painter.restore();
}

void DrawButton(QPainter& painter, const QRectF& rect, Look look) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = 7.0;
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    QColor rim;
    switch (look) {
        case Look::Base:
            gradient.setColorAt(0.0, QColor(0x2d, 0x31, 0x38));
            gradient.setColorAt(1.0, QColor(0x25, 0x28, 0x2e));
            rim = QColor(0x3a, 0x3f, 0x48);
            break;
        case Look::Hover:
            gradient.setColorAt(0.0, QColor(0x3a, 0x3f, 0x48));
            gradient.setColorAt(1.0, QColor(0x31, 0x35, 0x3d));
            rim = palette::kAccent;
            break;
        case Look::Active:
            gradient.setColorAt(0.0, QColor(0xc2, 0x52, 0x00));
            gradient.setColorAt(1.0, QColor(0x96, 0x3c, 0x00));
            rim = palette::kAccentLight;
            break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(rim, 1.0));
    painter.setBrush(gradient);
    painter.drawRoundedRect(body, radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, look == Look::Base ? 14 : 28), 1.0));
    painter.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                     QPointF(body.right() - radius, body.top() + 1.5));
    painter.restore();
}

void DrawKeyCap(QPainter& painter, const QRectF& rect, const QString& caption, Look look) {
    const QRectF skirt = rect.adjusted(kCapInset, kCapInset, -kCapInset, -kCapInset);
    // The top surface sits a little higher than the skirt's centre, like a sculpted cap.
    const QRectF surface = skirt.adjusted(3.0, 2.0, -3.0, -6.0);

    QColor skirtColor;
    QColor skirtRim;
    QColor surfaceTop;
    QColor surfaceBottom;
    QColor captionColor;
    switch (look) {
        case Look::Base:
            skirtColor = QColor(0x1f, 0x22, 0x27);
            skirtRim = QColor(0x2c, 0x30, 0x37);
            surfaceTop = QColor(0x2b, 0x2f, 0x35);
            surfaceBottom = QColor(0x26, 0x29, 0x2f);
            captionColor = QColor(0x74, 0x7a, 0x84);
            break;
        case Look::Active:
            skirtColor = QColor(0x2a, 0x2d, 0x33);
            skirtRim = QColor(0x44, 0x48, 0x50);
            surfaceTop = QColor(0x46, 0x4b, 0x54);
            surfaceBottom = QColor(0x3b, 0x3f, 0x47);
            captionColor = QColor(0xf4, 0xf4, 0xf5);
            break;
        case Look::Hover:
            skirtColor = QColor(0x3a, 0x2a, 0x1e);
            skirtRim = palette::kAccent;
            surfaceTop = QColor(0x5a, 0x4a, 0x3e);
            surfaceBottom = QColor(0x4c, 0x3e, 0x33);
            captionColor = QColor(0xff, 0xff, 0xff);
            break;
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(skirtRim, look == Look::Hover ? 1.5 : 1.0));
    painter.setBrush(skirtColor);
    painter.drawRoundedRect(skirt, kCapRadius, kCapRadius);

    QLinearGradient gradient(surface.topLeft(), surface.bottomLeft());
    gradient.setColorAt(0.0, surfaceTop);
    gradient.setColorAt(1.0, surfaceBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(surface, kCapRadius - 1.5, kCapRadius - 1.5);
    if (look == Look::Active) {
        // The lit edge of an assigned key.
        painter.setPen(QPen(
            QColor(palette::kAccent.red(), palette::kAccent.green(), palette::kAccent.blue(), 150),
            1.0));
        painter.drawLine(QPointF(surface.left() + 4, surface.top() + 0.5),
                         QPointF(surface.right() - 4, surface.top() + 0.5));
    }

    // The largest caption that fits the cap: bold first, then regular for long names.
    const QRectF textArea(skirt.left() + 2.0, surface.top(), skirt.width() - 4.0, surface.height());
    QFont font = FittingFont(caption, textArea.width());
    painter.setFont(font);
    painter.setPen(captionColor);
    painter.drawText(textArea, Qt::AlignCenter, caption);
    painter.restore();
}

void DrawChosenKeyCap(QPainter& painter, const QRectF& rect, const QString& caption) {
    DrawKeyCap(painter, rect, QString(), Look::Active);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette::kAccentLight, 1.0));
    painter.setBrush(QColor(0xc2, 0x52, 0x00));
    painter.drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    if (!caption.isEmpty()) {
        const QRectF textArea =
            rect.adjusted(kCapInset + 2.0, kCapInset + 2.0, -kCapInset - 2.0, -kCapInset - 6.0);
        painter.setFont(FittingFont(caption, textArea.width()));
        painter.setPen(Qt::white);
        painter.drawText(textArea, Qt::AlignCenter, caption);
    }
    painter.restore();
}

void DrawWindowButton(QPainter& painter, const QRectF& rect, Glyph glyph, Look look) {
    const qreal diameter = std::min(rect.width(), rect.height()) - 3.0;
    const QRectF disc(rect.center().x() - diameter / 2, rect.center().y() - diameter / 2, diameter,
                      diameter);
    QColor glyphColor = palette::kGlyph;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (look != Look::Base) {
        const bool close = glyph == Glyph::Close;
        painter.setPen(Qt::NoPen);
        painter.setBrush(close ? palette::kAccent : QColor(0x3c, 0x41, 0x4b));
        painter.drawEllipse(disc);
        glyphColor = Qt::white;
    }
    const QPointF c = disc.center();
    const qreal arm = diameter * 0.22;
    painter.setPen(QPen(glyphColor, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
        case Glyph::Minimize:
            painter.drawLine(QPointF(c.x() - arm, c.y() + 1), QPointF(c.x() + arm, c.y() + 1));
            break;
        case Glyph::Close:
            painter.drawLine(QPointF(c.x() - arm, c.y() - arm), QPointF(c.x() + arm, c.y() + arm));
            painter.drawLine(QPointF(c.x() - arm, c.y() + arm), QPointF(c.x() + arm, c.y() - arm));
            break;
        case Glyph::Help: {
            QFont font = ArtFont(static_cast<int>(diameter * 0.62), true);
            painter.setFont(font);
            painter.drawText(disc, Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
    }
    painter.restore();
}

void DrawArtText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize,
                 bool bold, QColor color, int flags) {
    painter.save();
    painter.setFont(ArtFont(pixelSize, bold));
    painter.setPen(color);
    painter.drawText(rect, flags, text);
    painter.restore();
}

void DrawLogo(QPainter& painter, const QRectF& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = rect.width() * 0.24;
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0.0, palette::kAccentLight);
    gradient.setColorAt(1.0, palette::kAccentDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);

    // A key cap seen from above, with the family's mark on it.
    const qreal w = rect.width();
    const QRectF cap = rect.adjusted(w * 0.2, w * 0.2, -w * 0.2, -w * 0.16);
    painter.setBrush(QColor(0x1b, 0x1d, 0x22));
    painter.drawRoundedRect(cap, w * 0.08, w * 0.08);
    painter.setBrush(QColor(0x2b, 0x2f, 0x36));
    painter.drawRoundedRect(cap.adjusted(w * 0.05, w * 0.04, -w * 0.05, -w * 0.1), w * 0.06,
                            w * 0.06);
    QFont font = ArtFont(std::max(6, static_cast<int>(w * 0.24)), true);
    painter.setFont(font);
    painter.setPen(palette::kAccentLight);
    painter.drawText(cap.adjusted(0, 0, 0, -w * 0.06), Qt::AlignCenter, QStringLiteral("Z9"));
    painter.restore();
}

}  // namespace art

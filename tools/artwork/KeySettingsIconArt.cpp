#include "KeySettingsIconArt.h"

#include "IconGlyphs.h"

#include <QLinearGradient>
#include <QPainter>

namespace art {
namespace {

// The glyph's ink and the colour under it, by look.
struct Ink {
    QColor ink;
    QColor paper;
};

// The selected look is the orange of the main window's chosen layer button.
const QColor kSelectedFill(0xc2, 0x52, 0x00);

// Pages 4 and 6: a raised key cap, lit like the main window's layer buttons; hovered it takes
// the orange rim, selected it turns orange.
void DrawIconCap(QPainter& painter, const QRectF& rect, Look look) {
    DrawKeyCap(painter, rect, QString(), look == Look::Hover ? Look::Hover : Look::Active);
    if (look == Look::Active) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette::kAccentLight, 1.0));
        painter.setBrush(kSelectedFill);
        painter.drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
        painter.restore();
    }
}

Ink CapInk(Look look) {
    switch (look) {
        case Look::Base:
            return {QColor(0xdc, 0xdf, 0xe4), QColor(0x41, 0x45, 0x4d)};
        case Look::Hover:
            return {Qt::white, QColor(0x53, 0x44, 0x38)};
        case Look::Active:
            break;
    }
    return {Qt::white, kSelectedFill};
}

// The part of a key cap's face that holds the glyph (DrawKeyCap's top surface).
QRectF CapGlyphBox(const QRectF& rect) {
    const QRectF surface = rect.adjusted(4.5, 3.5, -4.5, -7.5);
    const qreal side = std::min(surface.width(), surface.height()) - 2.0;
    return QRectF(surface.center().x() - side / 2, surface.center().y() - side / 2, side, side);
}

// Page 7: the main window's push button; its glyph sits at the left end, beside the label.
Ink ButtonInk(Look look) {
    switch (look) {
        case Look::Base:
            return {QColor(0xc4, 0xc8, 0xce), QColor(0x29, 0x2c, 0x33)};
        case Look::Hover:
            return {Qt::white, QColor(0x35, 0x3a, 0x42)};
        case Look::Active:
            break;
    }
    return {Qt::white, QColor(0xac, 0x47, 0x00)};
}

QRectF LeftGlyphBox(const QRectF& rect, qreal side, qreal inset) {
    return QRectF(rect.left() + inset, rect.center().y() - side / 2, side, side);
}

// Glyph sizes and line widths, in pixels.
constexpr qreal kCapStroke = 1.6;
constexpr qreal kPowerGlyph = 15.0;
constexpr qreal kPowerStroke = 1.5;
constexpr qreal kPowerInset = 3.5;

}  // namespace

bool DrawKeySettingsIcon(QPainter& painter, int page, const keysettings::IconSpec& icon,
                         Look look) {
    const QRectF rect = ToRectF(icon.rect);
    switch (page) {
        case 5:
            // The label fills the bar: in English several are nearly as wide as the bar, so a
            // glyph at either end would run into the text. The bars stand 17 pixels apart:
            // a pixel off each edge keeps them apart.
            DrawButton(painter, rect.adjusted(0, 1, 0, -1), look);
            return true;
        case 7: {
            DrawButton(painter, rect, look);
            const Ink ink = ButtonInk(look);
            return DrawIconGlyph(painter, LeftGlyphBox(rect, kPowerGlyph, kPowerInset), icon.hwCode,
                                 ink.ink, ink.paper, kPowerStroke);
        }
        default: {
            DrawIconCap(painter, rect, look);
            const Ink ink = CapInk(look);
            return DrawIconGlyph(painter, CapGlyphBox(rect), icon.hwCode, ink.ink, ink.paper,
                                 kCapStroke);
        }
    }
}

bool DrawKeySettingsIcons(QPainter& painter, int page, Look look) {
    bool complete = true;
    for (const keysettings::IconSpec& icon : keysettings::IconPageLayout(page).icons) {
        complete = DrawKeySettingsIcon(painter, page, icon, look) && complete;
    }
    return complete;
}

}  // namespace art

// The virtual keyboard: header with the logo and the close box, a plate holding the main
// block, the navigation block and the numeric pad, the box of the display line and the
// "OK" and "Cancel" buttons. The selected picture shows every key chosen (orange).
#include "ArtStyle.h"
#include "Artwork.h"
#include "VirtualKeyboardLayout.h"

#include <QPainter>

#include <cstring>

namespace art {
namespace {

constexpr QRgb kColorKey = qRgb(0, 0, 255);
constexpr qreal kFaceRadius = 16.0;
const QRectF kLogo(24, 15, 24, 24);
const QRectF kPlate(18, 55, 900, 242);
constexpr qreal kDisplayMargin = 4.0;

// What a key cap shows where the key's name is too long for it or reads better as a symbol
// (the keypad keys show their symbol; the picture's place tells them apart).
struct CapText {
    const char* caption;
    const char* shown;
};
constexpr CapText kCapTexts[] = {
    {"PrtScreen", "PrtSc"},
    {"ScrollLock", "ScrLk"},
    {"BackSpace", "Backspace"},
    {"Insert", "Ins"},
    {"Delete", "Del"},
    {"PgDown", "PgDn"},
    {"NumLock", "Num"},
    {"KP/", "/"},
    {"KP*", "*"},
    {"KP-", "-"},
    {"KP+", "+"},
    {"KP.", "."},
    {"KPEnter", "Enter"},
    {"KP0", "0"},
    {"KP1", "1"},
    {"KP2", "2"},
    {"KP3", "3"},
    {"KP4", "4"},
    {"KP5", "5"},
    {"KP6", "6"},
    {"KP7", "7"},
    {"KP8", "8"},
    {"KP9", "9"},
    {"Up", "\u2191"},
    {"Down", "\u2193"},
    {"Left", "\u2190"},
    {"Right", "\u2192"},
};

QString ShownCaption(const char* caption) {
    for (const CapText& entry : kCapTexts) {
        if (std::strcmp(entry.caption, caption) == 0) {
            return QString::fromUtf8(entry.shown);
        }
    }
    return QString::fromUtf8(caption);
}

void DrawBackground(QPainter& painter) {
    DrawFace(painter, virtualkbd::kFaceSize, kFaceRadius);
    DrawLogo(painter, kLogo);
    painter.save();
    painter.setPen(QPen(palette::kDivider, 1.0));
    painter.drawLine(QPointF(16, 47.5), QPointF(920, 47.5));
    painter.restore();
    DrawPanel(painter, kPlate, 12, palette::kPanel);
    const QRectF display =
        ToRectF(virtualkbd::kDisplayLineRect)
            .adjusted(-kDisplayMargin, -kDisplayMargin, kDisplayMargin, kDisplayMargin);
    DrawPanel(painter, display, 6, palette::kDisplay);
}

void DrawElement(QPainter& painter, const skin::ItemSpec& item, Look look) {
    const QRectF rect = ToRectF(item.rect);
    if (item.id == virtualkbd::kIdClose) {
        DrawWindowButton(painter, rect, Glyph::Close, look);
    } else if (item.keyValue < 1) {
        DrawButton(painter, rect, look);
    } else if (look == Look::Active) {
        DrawChosenKeyCap(painter, rect, ShownCaption(item.captionEn));
    } else {
        DrawKeyCap(painter, rect, ShownCaption(item.captionEn), look);
    }
}

QImage DrawVirtualKeyboardFace(Look look) {
    QImage canvas = NewCanvas(virtualkbd::kFaceSize);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawBackground(painter);
    for (const skin::ItemSpec& item : virtualkbd::VirtualKeyboardItems()) {
        if (!item.isLabel) {
            DrawElement(painter, item, look);
        }
    }
    painter.end();
    return Flatten(canvas, QColor(kColorKey));
}

}  // namespace

std::vector<ArtImage> VirtualKeyboardImages() {
    return {{virtualkbd::kImageBackground, DrawVirtualKeyboardFace(Look::Base)},
            {virtualkbd::kImageHover, DrawVirtualKeyboardFace(Look::Hover)},
            {virtualkbd::kImageSelected, DrawVirtualKeyboardFace(Look::Active)}};
}

}  // namespace art

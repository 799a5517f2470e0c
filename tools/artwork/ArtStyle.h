// The look every window's artwork shares: one dark face, crisp key caps, one orange accent that
// goes with the orange text of the display lines. Each window's painter draws its face from
// its element table with these primitives, once per look, so the base, hover and active
// pictures differ only where an element changes.
#pragma once

#include "SkinLayout.h"

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace art {

// How an element looks in one of a window's pictures.
enum class Look { Base, Hover, Active };

namespace palette {
const QColor kFaceTop(0x20, 0x23, 0x29);
const QColor kFaceBottom(0x15, 0x17, 0x1b);
const QColor kFaceRim(0x34, 0x38, 0x41);
const QColor kPanel(0x11, 0x13, 0x17);
const QColor kPanelRim(0x2b, 0x2f, 0x36);
const QColor kDivider(0x2a, 0x2e, 0x35);
const QColor kAccent(0xff, 0x7a, 0x1a);
const QColor kAccentDeep(0xe0, 0x5c, 0x00);
const QColor kAccentLight(0xff, 0xa3, 0x5c);
const QColor kTitleText(0xec, 0xec, 0xee);
const QColor kDimText(0x7c, 0x82, 0x8c);
const QColor kGlyph(0x9a, 0xa0, 0xa8);
// The display lines' boxes are painted in this colour by the program.
const QColor kDisplay(20, 20, 20);
}  // namespace palette

QRectF ToRectF(const skin::DesignRect& rect);
QColor ToColor(const skin::Rgb& rgb);

// A new transparent picture of a window's size; Flatten turns it into the final image, where
// everything outside the face becomes the colour key, with hard edges (a soft edge would blend
// the key into the face and leave a fringe around the window).
QImage NewCanvas(skin::FaceSize size);
QImage Flatten(const QImage& canvas, QColor colorKey);

// The window's face: a rounded slab with a soft vertical gradient and a thin rim.
void DrawFace(QPainter& painter, skin::FaceSize size, qreal radius);
// A recessed area (the keyboard plate, a display box, a progress track).
void DrawPanel(QPainter& painter, const QRectF& rect, qreal radius, QColor fill);
// A push button without a caption (the program draws captions over it).
void DrawButton(QPainter& painter, const QRectF& rect, Look look);
// A key cap with its caption fitted inside.
void DrawKeyCap(QPainter& painter, const QRectF& rect, const QString& caption, Look look);
// A key cap the user has chosen or switched on: orange, with a white caption.
void DrawChosenKeyCap(QPainter& painter, const QRectF& rect, const QString& caption);
// Small round window buttons: "hide", "help" and "close" glyphs.
enum class Glyph { Minimize, Help, Close };
void DrawWindowButton(QPainter& painter, const QRectF& rect, Glyph glyph, Look look);
// A text line of the artwork itself (titles that do not change with the language).
void DrawArtText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize,
                 bool bold, QColor color, int flags);
// The program's logo: an orange rounded square holding a key cap.
void DrawLogo(QPainter& painter, const QRectF& rect);

}  // namespace art

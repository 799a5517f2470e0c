// The pictures of the key settings dialog's icons: one glyph per HW code of the multimedia,
// function and power pages (the mouse page's bars carry their labels instead), drawn as line art in
// one ink so that every icon shares the main window's look (round caps, even strokes, the faces'
// grey or white).
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace art {

// Draws the glyph of `hwCode` into the square `box` with `ink`; `paper` is the colour under
// the glyph, for the parts that are cut out of filled shapes. `stroke` is the line width in
// pixels. Returns false (drawing nothing) for a code without a glyph.
bool DrawIconGlyph(QPainter& painter, const QRectF& box, int hwCode, QColor ink, QColor paper,
                   qreal stroke);

}  // namespace art

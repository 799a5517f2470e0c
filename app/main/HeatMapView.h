// The main window's heat map: every key cap tinted by its press count on the heat scale, its
// caption kept readable on top, and the legend with the lowest and the highest count.
#pragma once

#include "model/HeatScale.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace heatmap {

// The tint of a key cap for its count; the caption is drawn again over it in the ink that reads
// on that tint. A key under the pointer is outlined.
void PaintKey(QPainter& painter, const QRect& area, const QFont& font, const QString& caption,
              model::HeatRgb tint, bool hovered);

// The legend over `area` (its background first): the lowest count, the scale from it up to
// the highest, and the highest count; `noCounts` alone when nothing was read or pressed.
struct LegendTexts {
    QString lowest;    // holds %1
    QString highest;   // holds %1
    QString noCounts;  // when the range is empty
};
void PaintLegend(QPainter& painter, const QRect& area, const QFont& font, QColor background,
                 model::HeatRange range, const LegendTexts& texts);

}  // namespace heatmap

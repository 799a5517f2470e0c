#include "HeatMapView.h"

#include "FittingFont.h"

#include <QPainter>

#include <cmath>

namespace heatmap {
namespace {

// How far the tint stays inside the key's rectangle: the cap's skirt shows around it.
constexpr int kCapInset = 3;
constexpr qreal kCapRadius = 4.0;
// Slices of the legend's scale: enough that no step shows.
constexpr int kScaleSlices = 64;
constexpr int kTextWidth = 150;
constexpr int kGap = 10;

QColor ToColor(model::HeatRgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void DrawFittingText(QPainter& painter, const QRect& area, const QFont& font, int flags,
                     const QString& text, QColor ink) {
    painter.setFont(skin::FittingFont(font, area, flags, text));
    painter.setPen(ink);
    painter.drawText(area, flags, text);
}

}  // namespace

void PaintKey(QPainter& painter, const QRect& area, const QFont& font, const QString& caption,
              model::HeatRgb tint, bool hovered) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToColor(tint));
    const QRect cap = area.adjusted(kCapInset, kCapInset, -kCapInset, -kCapInset);
    painter.drawRoundedRect(cap, kCapRadius, kCapRadius);
    if (hovered) {
        painter.setPen(QPen(Qt::white, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(cap.adjusted(1, 1, -1, -1), kCapRadius, kCapRadius);
    }
    const int ink = model::HeatInk(tint);
    DrawFittingText(painter, cap.adjusted(2, 1, -2, -1), font, Qt::AlignCenter, caption,
                    QColor(ink, ink, ink));
    painter.restore();
}

void PaintLegend(QPainter& painter, const QRect& area, const QFont& font, QColor background,
                 model::HeatRange range, const LegendTexts& texts) {
    painter.save();
    painter.fillRect(area, background);
    const QColor ink(200, 200, 200);
    if (range.highest <= 0) {
        DrawFittingText(painter, area, font, Qt::AlignCenter, texts.noCounts, ink);
        painter.restore();
        return;
    }
    const QRect lowestText(area.left(), area.top(), kTextWidth, area.height());
    const QRect highestText(area.right() + 1 - kTextWidth, area.top(), kTextWidth, area.height());
    DrawFittingText(painter, lowestText, font, Qt::AlignRight | Qt::AlignVCenter,
                    texts.lowest.arg(range.lowest), ink);
    DrawFittingText(painter, highestText, font, Qt::AlignLeft | Qt::AlignVCenter,
                    texts.highest.arg(range.highest), ink);

    // The scale between them, spaced as the keys' colours are: evenly on a logarithmic scale.
    const int left = lowestText.right() + 1 + kGap;
    const int right = highestText.left() - kGap;
    const int top = area.top() + area.height() / 4;
    const int height = area.height() / 2;
    const double lowLog = std::log1p(static_cast<double>(range.lowest));
    const double highLog = std::log1p(static_cast<double>(range.highest));
    for (int slice = 0; slice < kScaleSlices; ++slice) {
        const double share = static_cast<double>(slice) / (kScaleSlices - 1);
        const auto count = static_cast<std::int64_t>(
            std::llround(std::expm1(lowLog + (highLog - lowLog) * share)));
        const int x0 = left + (right - left) * slice / kScaleSlices;
        const int x1 = left + (right - left) * (slice + 1) / kScaleSlices;
        painter.fillRect(QRect(x0, top, x1 - x0, height),
                         ToColor(model::HeatColor(count, range.highest)));
    }
    painter.restore();
}

}  // namespace heatmap

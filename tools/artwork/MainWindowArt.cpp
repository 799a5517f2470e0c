// The main window: header with the model's name and the window buttons, the action bar, the
// layer column, the keyboard with its 82 key caps, the legend of the kind bars and the box of
// the display line.
#include "ArtStyle.h"
#include "Artwork.h"
#include "MainWindowLayout.h"

#include <QPainter>
#include <QPainterPath>

namespace art {
namespace {

constexpr QRgb kColorKey = qRgb(0, 0, 255);
constexpr qreal kFaceRadius = 18.0;
constexpr int kLegendSwatch = 10;
const QRectF kPlate(213, 158, 730, 308);
const QRectF kLayerColumn(45, 158, 80, 238);
const QRectF kDisplayBox(41, 503, 925, 153);
const QRectF kLogo(40, 22, 28, 28);
const QRectF kTitle(80, 18, 500, 36);

// The legend label of each bar colour, kind 2 (combo) to 8 (power).
int KindOfLegend(int labelId) {
    return labelId - mainwin::kLabelLegendCombo + 2;
}

Glyph WindowGlyph(int id) {
    switch (id) {
        case mainwin::kIdHide:
            return Glyph::Minimize;
        case mainwin::kIdHelp:
            return Glyph::Help;
        default:
            return Glyph::Close;
    }
}

// The layer buttons: "Fn" crossed out, "Fn" with a left arrow, "Fn" with a right arrow.
void DrawLayerButton(QPainter& painter, const QRectF& rect, int id, Look look) {
    // A layer button always stands raised like a lit key; selected, it turns orange.
    if (look == Look::Active) {
        DrawChosenKeyCap(painter, rect, QString());
    } else {
        DrawKeyCap(painter, rect, QString(), look == Look::Hover ? Look::Hover : Look::Active);
    }
    const QColor ink = look == Look::Base ? palette::kGlyph : QColor(Qt::white);
    const QRectF face = rect.adjusted(4, 3, -4, -7);
    DrawArtText(painter, face, QStringLiteral("Fn"), 15, true, ink, Qt::AlignCenter);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(ink);
    const QPointF c = face.center();
    if (id == mainwin::kIdLayerNoneFn) {
        painter.drawLine(QPointF(c.x() - 13, c.y() + 9), QPointF(c.x() + 13, c.y() - 9));
    } else {
        const qreal direction = id == mainwin::kIdLayerLeftFn ? -1.0 : 1.0;
        const qreal tipX = c.x() + direction * 19;
        QPolygonF arrow;
        arrow << QPointF(tipX, c.y() + 1) << QPointF(tipX - direction * 5, c.y() - 3.5)
              << QPointF(tipX - direction * 5, c.y() + 5.5);
        painter.drawPolygon(arrow);
    }
    painter.restore();
}

void DrawElement(QPainter& painter, const skin::ItemSpec& item, Look look) {
    const QRectF rect = ToRectF(item.rect);
    switch (item.id) {
        case mainwin::kIdHide:
        case mainwin::kIdHelp:
        case mainwin::kIdExit:
            DrawWindowButton(painter, rect, WindowGlyph(item.id), look);
            return;
        case mainwin::kIdLayerNoneFn:
        case mainwin::kIdLayerLeftFn:
        case mainwin::kIdLayerRightFn:
            DrawLayerButton(painter, rect, item.id, look);
            return;
        default:
            break;
    }
    if (item.keyValue > 0) {
        DrawKeyCap(painter, rect, QString::fromUtf8(item.captionEn), look);
    } else {
        DrawButton(painter, rect, look);
    }
}

// Everything that does not change with an element's look.
void DrawBackground(QPainter& painter, int deviceType, const std::vector<skin::ItemSpec>& items) {
    DrawFace(painter, mainwin::kFaceSize, kFaceRadius);
    DrawLogo(painter, kLogo);
    DrawArtText(painter, kTitle, QString::fromUtf8(mainwin::ModelName(deviceType)), 20, true,
                palette::kTitleText, Qt::AlignLeft | Qt::AlignVCenter);

    painter.save();
    painter.setPen(QPen(palette::kDivider, 1.0));
    painter.drawLine(QPointF(40, 72.5), QPointF(1000, 72.5));
    painter.restore();

    DrawPanel(painter, kLayerColumn, 10, QColor(0x19, 0x1c, 0x21));
    DrawPanel(painter, kPlate, 12, palette::kPanel);
    DrawPanel(painter, kDisplayBox, 8, palette::kDisplay);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const skin::ItemSpec& item : items) {
        if (item.id < mainwin::kLabelLegendCombo || item.id > mainwin::kLabelLegendPower) {
            continue;
        }
        const QRectF swatch(item.rect.left - kLegendSwatch - 4, item.rect.top + 4, kLegendSwatch,
                            kLegendSwatch);
        painter.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
        painter.setBrush(
            ToColor(mainwin::kKindColors[static_cast<std::size_t>(KindOfLegend(item.id))]));
        painter.drawRoundedRect(swatch.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    painter.restore();
}

QImage DrawMainFace(int deviceType, Look look) {
    const std::vector<skin::ItemSpec> items = mainwin::MainWindowItems(deviceType);
    QImage canvas = NewCanvas(mainwin::kFaceSize);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawBackground(painter, deviceType, items);
    for (const skin::ItemSpec& item : items) {
        if (!item.isLabel) {
            DrawElement(painter, item, look);
        }
    }
    painter.end();
    return Flatten(canvas, QColor(kColorKey));
}

}  // namespace

std::vector<ArtImage> MainWindowImages() {
    std::vector<ArtImage> images;
    for (int deviceType = 1; deviceType <= 4; ++deviceType) {
        const mainwin::FaceImages ids = mainwin::FaceImagesFor(deviceType);
        images.push_back({ids.base, DrawMainFace(deviceType, Look::Base)});
        images.push_back({ids.hover, DrawMainFace(deviceType, Look::Hover)});
        images.push_back({ids.active, DrawMainFace(deviceType, Look::Active)});
    }
    return images;
}

}  // namespace art

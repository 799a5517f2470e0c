// The main window's keyboard view: which keys show the active look, the kind bars, the hover
// highlight, the labels and the display line.
#include "COrvoDlg.h"
#include "HeatMapView.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "StatisticsText.h"
#include "model/HeatScale.h"
#include "model/KeyboardConfig.h"

#include <QPainter>
#include <QPlainTextEdit>

using model::CKeyboardConfig;
using model::KindSingle;

namespace {

// The bar under a key's caption: 14 pixels wide (up to rounding), 4 high, on the key's
// bottom edge.
constexpr int kKindBarWidth = 14;
constexpr int kKindBarHeight = 4;

bool Contains(const skin::DesignRect& rect, const QPoint& point) {
    return rect.contains(point.x(), point.y());
}

bool IsKey(const skin::SkinItem& item) {
    return item.keyValue > 0 && !item.isLabel;
}

bool IsKindLegend(const skin::SkinItem& item) {
    return item.isLabel && item.id >= mainwin::kLabelLegendCombo &&
           item.id <= mainwin::kLabelLegendPower;
}

model::HeatRange PressCountRange(const CKeyboardConfig& config) {
    return model::HeatRangeOf(config.pressCounter.data(),
                              static_cast<int>(config.pressCounter.size()));
}

}  // namespace

void COrvoDlg::beforeCompose() {
    std::wstring text = statistics::Header(config_, changeReport_);
    const auto layer = static_cast<std::size_t>(config_.currentLayer);
    for (skin::SkinItem& item : items()) {
        if (IsKindLegend(item)) {
            item.textVisible = !heatMapShown_;
        }
        if (!IsKey(item)) {
            continue;
        }
        // The heat map draws every key itself, over the face without the layer's active looks.
        item.isSelected =
            !heatMapShown_ && config_.keyMode[static_cast<std::size_t>(item.keyValue)][layer] > 0;
        if (item.id >= mainwin::kFirstKeyId && Contains(item.rect, lastMousePoint())) {
            text += statistics::KeyLines(config_, item.keyValue);
        }
    }
    if (text != displayText_ && displayLine_ != nullptr) {
        displayText_ = text;
        QString shown = QString::fromStdWString(text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        displayLine_->setPlainText(shown);
    }
}

void COrvoDlg::paintItem(QPainter& painter, skin::SkinItem& item) {
    if (!item.isSelected || item.isLabel) {
        if (!item.isLabel && Contains(item.rect, lastMousePoint())) {
            CopyArea(painter, faces().hover.image(), designArea(item));
        }
    } else {
        CopyArea(painter, faces().selected.image(), designArea(item));
    }
    if (IsKey(item)) {
        if (heatMapShown_) {
            paintHeatKey(painter, item);
        } else {
            drawKindBar(painter, item);
        }
    }
    if (item.isLabel && item.textVisible) {
        drawCaption(painter, item);
    }
}

void COrvoDlg::drawKindBar(QPainter& painter, const skin::SkinItem& key) const {
    const int kind = config_.keyMode[static_cast<std::size_t>(key.keyValue)]
                                    [static_cast<std::size_t>(config_.currentLayer)];
    if (kind <= KindSingle || kind >= static_cast<int>(mainwin::kKindColors.size())) {
        return;
    }
    const QRect area = designArea(key);
    const int width = static_cast<int>(key.rect.width() / scaleFactor());
    const int margin = (width - kKindBarWidth) / 2;
    const int left = area.left() + margin;
    const int right = area.left() + area.width() - margin;
    const int bottom = area.top() + area.height();
    const skin::Rgb& color = mainwin::kKindColors[static_cast<std::size_t>(kind)];
    painter.fillRect(QRect(left, bottom - kKindBarHeight, right - left, kKindBarHeight),
                     QColor(color.red, color.green, color.blue));
}

void COrvoDlg::showHeatMap(bool shown) {
    if (heatMapShown_ != shown) {
        heatMapShown_ = shown;
        if (skin::SkinItem* button = findItem(mainwin::kIdHeatMap)) {
            button->isSelected = shown;
        }
        update();
    }
}

void COrvoDlg::paintHeatKey(QPainter& painter, const skin::SkinItem& key) const {
    const model::HeatRange range = PressCountRange(config_);
    const model::HeatRgb tint = model::HeatColor(
        config_.pressCounter[static_cast<std::size_t>(key.keyValue)], range.highest);
    heatmap::PaintKey(painter, designArea(key), resources().font(skin::kDefaultFontIndex),
                      captionText(key), tint, Contains(key.rect, lastMousePoint()));
}

void COrvoDlg::paintOverlay(QPainter& painter) {
    if (!heatMapShown_) {
        return;
    }
    const skin::DesignRect& area = mainwin::kHeatLegendRect;
    const QRect legend(area.left, area.top, area.width(), area.height());
    // The legend stands on the face's own background, taken just left of it.
    const QImage& face = faces().background.image();
    const QPoint beside(area.left - 4, area.top + area.height() / 2);
    const QColor background = face.valid(beside) ? face.pixelColor(beside) : QColor(Qt::black);
    heatmap::PaintLegend(painter, legend, resources().font(skin::kDefaultFontIndex), background,
                         PressCountRange(config_),
                         {texts::Text(texts::Id::HeatLowest, config_.language),
                          texts::Text(texts::Id::HeatHighest, config_.language),
                          texts::Text(texts::Id::HeatNoCounts, config_.language)});
}

int COrvoDlg::focusGroup(const skin::SkinItem& item) const {
    enum { kOwnStop, kKeys, kLayers };
    if (item.id >= mainwin::kFirstKeyId) {
        return kKeys;
    }
    const bool layerButton = item.id == mainwin::kIdLayerNoneFn ||
                             item.id == mainwin::kIdLayerLeftFn ||
                             item.id == mainwin::kIdLayerRightFn;
    return layerButton ? kLayers : kOwnStop;
}

bool COrvoDlg::switchTab(int step) {
    // In the order the layer buttons stand, top to bottom.
    static constexpr int kLayerButtons[] = {mainwin::kIdLayerNoneFn, mainwin::kIdLayerLeftFn,
                                            mainwin::kIdLayerRightFn};
    constexpr int kCount = 3;
    int shown = 0;
    for (int index = 0; index < kCount; ++index) {
        const skin::SkinItem* button = findItem(kLayerButtons[index]);
        if (button != nullptr && button->isSelected) {
            shown = index;
        }
    }
    selectLayer(kLayerButtons[(shown + step + kCount) % kCount]);
    return true;
}

#include "TipControl.h"

#include <QPalette>

namespace keysettings {
namespace {

const QColor kTipText(0, 0, 255);
const QColor kTipBackground(255, 255, 0);
// The tip sits below and to the right of the pointer, clear of the cursor.
constexpr QPoint kOffsetFromPointer(12, 20);

}  // namespace

TipControl::TipControl(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, kTipText);
    colors.setColor(QPalette::Window, kTipBackground);
    setPalette(colors);
    setAutoFillBackground(true);
    setMargin(3);
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &TipControl::showPending);
}

void TipControl::request(const QString& text, const QPoint& globalPoint) {
    if (text.isEmpty()) {
        deactivate();
        return;
    }
    point_ = globalPoint + kOffsetFromPointer;
    if (text == pending_ && (isVisible() || delay_.isActive())) {
        return;
    }
    pending_ = text;
    if (isVisible()) {
        showPending();
    } else {
        delay_.start();
    }
}

void TipControl::deactivate() {
    delay_.stop();
    pending_.clear();
    hide();
}

void TipControl::showPending() {
    setText(pending_);
    adjustSize();
    move(point_);
    show();
}

}  // namespace keysettings

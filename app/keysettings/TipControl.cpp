#include "TipControl.h"

#include "DialogLook.h"

#include <QPalette>

namespace keysettings {
namespace {

// The tip sits below and to the right of the pointer, clear of the cursor.
constexpr QPoint kOffsetFromPointer(12, 20);

}  // namespace

TipControl::TipControl(QWidget* owner) : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    // The dark face and light text of the skinned windows' tips, with a rim in the text's
    // colour so the tip stands off the face it floats over.
    QPalette colors = skin::DialogPalette();
    colors.setColor(QPalette::WindowText, colors.color(QPalette::ToolTipText));
    colors.setColor(QPalette::Window, colors.color(QPalette::ToolTipBase));
    setPalette(colors);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
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

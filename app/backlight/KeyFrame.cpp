#include "KeyFrame.h"

#include <QPainter>

namespace backlight {

std::array<QRect, 4> KeyFrameStrips(const skin::DesignRect& windowRect, float scale) {
    // The key's own rectangle at design size, each edge truncated on its own.
    const int left = static_cast<int>(windowRect.left / scale);
    const int top = static_cast<int>(windowRect.top / scale);
    const int right = static_cast<int>(windowRect.right / scale);
    const int bottom = static_cast<int>(windowRect.bottom / scale);
    const int w = kKeyFrameWidth;
    const int height = bottom - top + 2 * w;
    return {QRect(left - w, top - w, w, height), QRect(right, top - w, w, height),
            QRect(left, top - w, right - left, w), QRect(left, bottom, right - left, w)};
}

void DrawKeyFrame(QPainter& painter, const skin::DesignRect& windowRect, float scale,
                  const QColor& color) {
    for (const QRect& strip : KeyFrameStrips(windowRect, scale)) {
        painter.fillRect(strip, color);
    }
}

}  // namespace backlight

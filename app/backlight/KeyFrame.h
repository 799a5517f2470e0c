// The coloured frame both backlight windows draw around each key: two design pixels wide, just
// outside the key, in the key's colour. It is drawn into the face at design size, so it stays two
// design pixels wide at any scale.
#pragma once

#include "SkinLayout.h"

#include <QColor>
#include <QRect>

#include <array>

class QPainter;

namespace backlight {

constexpr int kKeyFrameWidth = 2;

// The frame's four strips (left, right, top, bottom) in design pixels, for a key whose rectangle
// in window coordinates is `windowRect` at `scale`.
std::array<QRect, 4> KeyFrameStrips(const skin::DesignRect& windowRect, float scale);
void DrawKeyFrame(QPainter& painter, const skin::DesignRect& windowRect, float scale,
                  const QColor& color);

}  // namespace backlight

#include "BacklightKeyboardArt.h"

#include "BacklightKeys.h"
#include "model/CodeTables.h"

#include <QPainter>

using model::KeyCaptionUtf8;

namespace art {
namespace {

// Around the keys with their two-pixel frames (82..777 by 111..389), plus a margin.
const QRectF kPlate(66, 99, 727, 304);

}  // namespace

void DrawBacklightPlate(QPainter& painter) {
    DrawPanel(painter, kPlate, 12, palette::kPanel);
}

void DrawBacklightKey(QPainter& painter, int key, Look look) {
    DrawKeyCap(painter, ToRectF(backlight::KeyRect(key)), QString::fromUtf8(KeyCaptionUtf8(key)),
               look);
}

}  // namespace art

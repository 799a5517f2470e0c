// The keyboard both backlight windows show: a dark plate with room around every key for the
// colour frame the windows draw, and the 82 key caps.
#pragma once

#include "ArtStyle.h"

class QPainter;

namespace art {

// The plate alone.
void DrawBacklightPlate(QPainter& painter);
// One key cap of the backlight keyboard (key 1..82) in the given look.
void DrawBacklightKey(QPainter& painter, int key, Look look);

}  // namespace art

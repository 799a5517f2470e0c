// The read-only text boxes of the skinned windows (the main window's key description, the
// virtual keyboard's choice): orange text on near-black, no frame, no caret. The text can be
// selected and copied, never edited.
#pragma once

#include "SkinLayout.h"

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace skin {

class SkinResources;

// A display box on `window` at a design rectangle, placed and sized by `scale` (truncated), in
// the font of `fontSize` design pixels times the scale.
QPlainTextEdit* CreateDisplayLine(QWidget& window, const SkinResources& resources,
                                  const DesignRect& rect, int fontSize, float scale);

}  // namespace skin

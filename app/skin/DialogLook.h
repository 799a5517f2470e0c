// The look of Qt's own windows (message boxes, file dialogs, the colour chooser, menus) beside
// the skinned ones: Qt's Fusion style with the dark face and the orange accent of the artwork,
// and a file dialog large enough that its columns can be read.
#pragma once

#include <QPalette>
#include <QSize>

class QWidget;

namespace skin {

// The dark palette of the skinned windows' faces.
QPalette DialogPalette();

// Gives every Qt window of the program that look (the style and the application's palette).
void InstallDialogLook();

// The size a file dialog opens at over `parent` (or on the primary screen): 900 × 560 at a
// screen height of 1080, scaled like the skinned windows, never beyond the screen.
QSize FileDialogSize(const QWidget* parent);

}  // namespace skin

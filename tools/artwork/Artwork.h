// What the generator writes: each window's painter returns its pictures by image id.
#pragma once

#include <QImage>

#include <vector>

namespace art {

struct ArtImage {
    int id;
    QImage image;
};

// The main window's base, hover and active pictures of all four models.
std::vector<ArtImage> MainWindowImages();
// The progress dialog's background, hover and selected pictures.
std::vector<ArtImage> ProgressImages();
// The firmware update window's background, hover and selected pictures.
std::vector<ArtImage> FirmwareImages();
// The backlight settings window's background and hover pictures.
std::vector<ArtImage> BacklightImages();
// The multi-key window's background and its picture of highlighted buttons and marked keys.
std::vector<ArtImage> MultiSelectImages();
// The scroll bars' skin: arrows, thumb and track in three looks.
std::vector<ArtImage> ScrollBarImages();
// The virtual keyboard's background, hover and selected pictures.
std::vector<ArtImage> VirtualKeyboardImages();
// The key settings dialog's pages: base, hover and selected pictures of each, and the
// Function page's face of every model.
std::vector<ArtImage> KeySettingsImages();
// The background of the notice shown while start-up looks for the keyboard.
std::vector<ArtImage> KeyboardSearchImages();
// The application icon at the given edge length.
QImage ApplicationIcon(int size);

}  // namespace art

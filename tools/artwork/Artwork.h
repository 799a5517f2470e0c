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
// The background of the notice shown while start-up looks for the keyboard.
std::vector<ArtImage> KeyboardSearchImages();
// The application icon at the given edge length.
QImage ApplicationIcon(int size);

}  // namespace art

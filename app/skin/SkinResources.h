// What every skinned window draws with: the pictures of the resource file, the 50 fonts of
// fontTable and the brush of the display boxes. Created once at start-up and handed to every
// window.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <map>
#include <vector>

class QWidget;

namespace skin {

constexpr int kFontCount = 50;
// The display boxes: orange text on near-black.
const QColor kEditTextColor(255, 111, 0);
const QColor kEditBackgroundColor(20, 20, 20);

class SkinResources {
public:
    SkinResources();
    ~SkinResources();
    SkinResources(const SkinResources&) = delete;
    SkinResources& operator=(const SkinResources&) = delete;

    // Registers a resource file of pictures (":/bitmaps/<id>.png"); false when it cannot be
    // read. Unregistered again by unloadResourceFile or the destructor.
    bool loadResourceFile(const QString& path);
    void unloadResourceFile();

    // Loads the pictures by id, in order; the ids that could not be loaded are remembered.
    void loadImages(const std::vector<int>& ids);
    // Releases every picture.
    void releaseImages();
    // The picture, or a null image when it was not loaded.
    QImage image(int id) const;
    const std::vector<int>& missingImages() const { return missing_; }

    // fontTable[index]: a font whose characters are `index` pixels high (0: the default size).
    const QFont& font(int index) const;
    const QBrush& editBrush() const { return editBrush_; }
    // Orange text on editBrush, for a window's own display boxes.
    void applyEditColors(QWidget& edit) const;

private:
    QString resourceFile_;
    std::map<int, QImage> images_;
    std::vector<int> missing_;
    std::array<QFont, kFontCount> fontTable_;
    QBrush editBrush_;
};

}  // namespace skin

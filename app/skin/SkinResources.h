// What every skinned window draws with: the pictures of the resource file, the 50 fonts of
// fontTable and the brush of the display boxes. Created once at start-up and handed to every
// window. A picture is decoded only when a window draws from it and released when no window
// holds it any more (SkinPicture).
#pragma once

#include "SkinPicture.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <array>
#include <map>
#include <memory>
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

    // Looks for the pictures by id, in order, without decoding them; the ids the resource file
    // lacks are remembered.
    void checkImages(const std::vector<int>& ids);
    const std::vector<int>& missingImages() const { return missing_; }
    // The picture ":/bitmaps/<id>.png", the very one other holders have while any does; it is
    // decoded when first drawn from. A missing picture draws nothing.
    SkinPicture picture(int id) const;
    // The picture's pixels now, or a null image when it is missing.
    QImage image(int id) const;
    // Decodes the pictures now and holds them for as long as these resources live (pictures
    // of a window that must open without decoding).
    void keepDecoded(const std::vector<int>& ids);
    // The pictures whose pixels are decoded and held at the moment, by id in ascending order.
    std::vector<int> decodedImages() const;

    // fontTable[index]: a font whose characters are `index` pixels high (0: the default size).
    const QFont& font(int index) const;
    const QBrush& editBrush() const { return editBrush_; }
    // Orange text on editBrush, for a window's own display boxes.
    void applyEditColors(QWidget& edit) const;

private:
    QString resourceFile_;
    // Every picture handed out, while somebody holds it.
    mutable std::map<int, std::weak_ptr<SkinPicture::Source>> pictures_;
    std::vector<SkinPicture> kept_;
    std::vector<int> missing_;
    std::array<QFont, kFontCount> fontTable_;
    QBrush editBrush_;
};

}  // namespace skin

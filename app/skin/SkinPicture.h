// One picture a window draws from. A picture of the resource file is decoded the first time it
// is drawn from, its pixels shared by every holder (SkinResources hands out the same one while
// anybody holds it) and released with the last holder, so that only the pictures of the windows
// that are open take memory.
#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace skin {

class SkinPicture {
public:
    // No picture: draws nothing.
    SkinPicture() = default;
    // A picture made in memory, already decoded (implicit: any image can stand as a picture).
    SkinPicture(QImage image);

    // The pixels (RGB32), decoded now if they were not yet; a null image when there is no
    // picture or it cannot be read.
    const QImage& image() const;

    // The same picture: the same pixels, decoded once.
    bool operator==(const SkinPicture& other) const { return source_ == other.source_; }

private:
    friend class SkinResources;
    struct Source {
        QString path;  // empty for a picture made in memory
        bool decoded = false;
        QImage image;
    };
    explicit SkinPicture(std::shared_ptr<Source> source) : source_(std::move(source)) {}

    std::shared_ptr<Source> source_;
};

}  // namespace skin

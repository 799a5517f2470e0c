#include "SkinPicture.h"

namespace skin {

SkinPicture::SkinPicture(QImage image)
    : source_(std::make_shared<Source>(
          Source{QString(), true, image.convertToFormat(QImage::Format_RGB32)})) {}

const QImage& SkinPicture::image() const {
    static const QImage kNone;
    if (!source_) {
        return kNone;
    }
    if (!source_->decoded) {
        source_->decoded = true;
        source_->image = QImage(source_->path).convertToFormat(QImage::Format_RGB32);
    }
    return source_->image;
}

}  // namespace skin

#include "SkinResources.h"

#include <QPalette>
#include <QResource>
#include <QWidget>

#include <algorithm>

namespace skin {

SkinResources::SkinResources() : editBrush_(kEditBackgroundColor) {
    for (int size = 1; size < kFontCount; ++size) {
        fontTable_[static_cast<std::size_t>(size)].setPixelSize(size);
    }
}

SkinResources::~SkinResources() {
    releaseImages();
    unloadResourceFile();
}

bool SkinResources::loadResourceFile(const QString& path) {
    unloadResourceFile();
    if (!QResource::registerResource(path)) {
        return false;
    }
    resourceFile_ = path;
    return true;
}

void SkinResources::unloadResourceFile() {
    if (!resourceFile_.isEmpty()) {
        // Whether the file was still registered does not matter: it is not any more.
        static_cast<void>(QResource::unregisterResource(resourceFile_));
        resourceFile_.clear();
    }
}

void SkinResources::loadImages(const std::vector<int>& ids) {
    for (int id : ids) {
        QImage image(QStringLiteral(":/bitmaps/%1.png").arg(id));
        if (image.isNull()) {
            if (std::find(missing_.begin(), missing_.end(), id) == missing_.end()) {
                missing_.push_back(id);
            }
            continue;
        }
        images_[id] = image.convertToFormat(QImage::Format_RGB32);
    }
}

void SkinResources::releaseImages() {
    images_.clear();
}

QImage SkinResources::image(int id) const {
    const auto found = images_.find(id);
    return found == images_.end() ? QImage() : found->second;
}

const QFont& SkinResources::font(int index) const {
    return fontTable_[static_cast<std::size_t>(std::clamp(index, 0, kFontCount - 1))];
}

void SkinResources::applyEditColors(QWidget& edit) const {
    QPalette palette = edit.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, kEditTextColor);
        palette.setBrush(group, QPalette::Base, editBrush_);
        palette.setColor(group, QPalette::Window, kEditBackgroundColor);
    }
    edit.setPalette(palette);
    edit.setAutoFillBackground(true);
}

}  // namespace skin

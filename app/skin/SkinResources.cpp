#include "SkinResources.h"

#include <QFile>
#include <QPalette>
#include <QResource>
#include <QWidget>

#include <algorithm>

namespace skin {
namespace {

QString PicturePath(int id) {
    return QStringLiteral(":/bitmaps/%1.png").arg(id);
}

}  // namespace

SkinResources::SkinResources() : editBrush_(kEditBackgroundColor) {
    for (int size = 1; size < kFontCount; ++size) {
        fontTable_[static_cast<std::size_t>(size)].setPixelSize(size);
    }
}

SkinResources::~SkinResources() {
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

void SkinResources::checkImages(const std::vector<int>& ids) {
    for (int id : ids) {
        if (!QFile::exists(PicturePath(id)) &&
            std::find(missing_.begin(), missing_.end(), id) == missing_.end()) {
            missing_.push_back(id);
        }
    }
}

SkinPicture SkinResources::picture(int id) const {
    std::weak_ptr<SkinPicture::Source>& held = pictures_[id];
    std::shared_ptr<SkinPicture::Source> source = held.lock();
    if (!source) {
        source = std::make_shared<SkinPicture::Source>();
        source->path = PicturePath(id);
        held = source;
    }
    return SkinPicture(std::move(source));
}

QImage SkinResources::image(int id) const {
    return picture(id).image();
}

void SkinResources::keepDecoded(const std::vector<int>& ids) {
    for (int id : ids) {
        SkinPicture held = picture(id);
        if (std::find(kept_.begin(), kept_.end(), held) == kept_.end()) {
            static_cast<void>(held.image());  // decoded now; the pixels are not needed here
            kept_.push_back(std::move(held));
        }
    }
}

std::vector<int> SkinResources::decodedImages() const {
    std::vector<int> ids;
    for (const auto& [id, held] : pictures_) {
        const std::shared_ptr<SkinPicture::Source> source = held.lock();
        if (source && source->decoded && !source->image.isNull()) {
            ids.push_back(id);
        }
    }
    return ids;
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

// z9rt_artwork OUTPUT_DIR: draws every window picture and the application icon into OUTPUT_DIR
// (bitmaps/<id>.png, icons/z9rt-<size>.png) and writes artwork.qrc listing the bitmaps, from
// which the build makes the program's resource file.
#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <set>

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

bool WriteQrc(const QString& path, const std::set<int>& ids) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    QTextStream out(&file);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (int id : ids) {
        out << "  <file>bitmaps/" << id << ".png</file>\n";
    }
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return file.error() == QFileDevice::NoError;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: z9rt_artwork OUTPUT_DIR\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(QStringLiteral("bitmaps")) || !output.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "z9rt_artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    std::vector<art::ArtImage> images = art::MainWindowImages();
    for (auto draw : {art::ProgressImages, art::FirmwareImages, art::BacklightImages,
                      art::MultiSelectImages, art::ScrollBarImages, art::VirtualKeyboardImages,
                      art::KeySettingsImages, art::KeyboardSearchImages}) {
        for (art::ArtImage& image : draw()) {
            images.push_back(std::move(image));
        }
    }

    std::set<int> ids;
    for (const art::ArtImage& image : images) {
        if (!ids.insert(image.id).second) {
            std::fprintf(stderr, "z9rt_artwork: image %d drawn twice\n", image.id);
            return 1;
        }
        const QString path = output.filePath(QStringLiteral("bitmaps/%1.png").arg(image.id));
        if (!image.image.save(path, "PNG")) {
            std::fprintf(stderr, "z9rt_artwork: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    for (int size : kIconSizes) {
        const QString path = output.filePath(QStringLiteral("icons/z9rt-%1.png").arg(size));
        if (!art::ApplicationIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "z9rt_artwork: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    if (!WriteQrc(output.filePath(QStringLiteral("artwork.qrc")), ids)) {
        std::fprintf(stderr, "z9rt_artwork: cannot write artwork.qrc\n");
        return 1;
    }
    return 0;
}

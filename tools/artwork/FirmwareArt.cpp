// The firmware update window: title strip with its close button, the version box with "Get
// Version", the file box with "Open", the track of the progress bar, and Update and Cancel. The
// selected picture holds the full bar the window copies from as the download goes on.
#include "ArtStyle.h"
#include "Artwork.h"
#include "FirmwareLayout.h"

#include <QPainter>

namespace art {
namespace {

constexpr qreal kFaceRadius = 14.0;
constexpr qreal kDividerY = 54.5;
// The display boxes' panels reach a little beyond the text boxes the program places on them.
constexpr qreal kBoxMargin = 3.0;

QRectF BoxPanel(const skin::DesignRect& box) {
    return ToRectF(box).adjusted(-kBoxMargin, -kBoxMargin, kBoxMargin, kBoxMargin);
}

QImage DrawFirmwareFace(Look look) {
    QImage canvas = NewCanvas(firmware::kFaceSize);
    QPainter painter(&canvas);
    DrawDialogFace(painter, firmware::kFaceSize, kFaceRadius, kDividerY);
    DrawPanel(painter, BoxPanel(firmware::kVersionBoxRect), 4, palette::kDisplay);
    DrawPanel(painter, BoxPanel(firmware::kPathBoxRect), 4, palette::kDisplay);
    // Only the selected picture shows the bar full; buttons there keep their plain look.
    DrawProgressTrack(painter, ToRectF(firmware::kBarRect), look == Look::Active);
    DrawDialogElements(painter, firmware::FirmwareItems(), firmware::kIdClose,
                       look == Look::Hover ? Look::Hover : Look::Base);
    painter.end();
    return Flatten(canvas, ToColor(firmware::kColorKey));
}

}  // namespace

std::vector<ArtImage> FirmwareImages() {
    return {{firmware::kImageBackground, DrawFirmwareFace(Look::Base)},
            {firmware::kImageHover, DrawFirmwareFace(Look::Hover)},
            {firmware::kImageSelected, DrawFirmwareFace(Look::Active)}};
}

}  // namespace art

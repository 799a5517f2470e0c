// The backlight settings window: title strip with the close box, the box of the key colour
// line, the keyboard whose keys the window frames in their colours, and the bar of buttons.
#include "ArtStyle.h"
#include "Artwork.h"
#include "BacklightKeyboardArt.h"
#include "BacklightLayout.h"

#include <QPainter>

namespace art {
namespace {

constexpr qreal kFaceRadius = 16.0;
constexpr qreal kDividerY = 52.5;

QImage DrawSettingsFace(Look look) {
    QImage canvas = NewCanvas(backlight::kSettingsFaceSize);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawDialogFace(painter, backlight::kSettingsFaceSize, kFaceRadius, kDividerY);
    DrawPanel(painter, ToRectF(backlight::kKeyColourBox), 6, palette::kDisplay);
    DrawBacklightPlate(painter);
    // Keys have no hover look: every picture shows them lit.
    DrawDialogElements(painter, backlight::SettingsItems(), backlight::kIdClose, look,
                       [&painter](const skin::ItemSpec& key) {
                           DrawBacklightKey(painter, key.keyValue, Look::Active);
                       });
    painter.end();
    return Flatten(canvas, ToColor(backlight::kColorKey));
}

}  // namespace

std::vector<ArtImage> BacklightImages() {
    return {{backlight::kSettingsImageBackground, DrawSettingsFace(Look::Base)},
            {backlight::kSettingsImageHover, DrawSettingsFace(Look::Hover)}};
}

}  // namespace art

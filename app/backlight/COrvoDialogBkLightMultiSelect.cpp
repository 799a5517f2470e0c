#include "COrvoDialogBkLightMultiSelect.h"

#include "KeyFrame.h"
#include "LightColors.h"
#include "MultiSelectLayout.h"

using model::PerKey;
using model::RGBColor;

namespace {

constexpr RGBColor kPureRed{255, 0, 0};
constexpr RGBColor kShownForPureRed{255, 1, 0};

// Pure red frames are drawn one step of green off red: pure red is the colour key of the
// program's other faces, and this window keeps clear of it.
RGBColor FrameColor(const RGBColor& color) {
    return color == kPureRed ? kShownForPureRed : color;
}

}  // namespace

COrvoDialogBkLightMultiSelect::COrvoDialogBkLightMultiSelect(
    const skin::SkinResources& resources, const std::string& language, float scaleFactor,
    const PerKey<RGBColor>& shownColors, RGBColor lastPick, skin::DialogService& dialogs,
    QWidget* parent)
    : SkinnedDialog(resources, language, scaleFactor, parent, Qt::Dialog),
      dialogs_(dialogs),
      viewColors_(shownColors) {
    pick_.color = lastPick;
}

void COrvoDialogBkLightMultiSelect::initialize() {
    const skin::SkinResources& art = resources();
    const skin::SkinPicture marked = art.picture(backlight::kMultiSelectImageMarked);
    openSkin({art.picture(backlight::kMultiSelectImageBackground), marked, marked},
             skin::ToQColor(backlight::kColorKey), backlight::kMultiSelectFaceSize,
             skin::ItemsFromSpecs(backlight::MultiSelectItems()));
    takeTitleFrom(backlight::kIdMultiClose);
    pick_.keys.fill(0);
}

int COrvoDialogBkLightMultiSelect::exec() {
    initialize();
    return SkinnedDialog::exec();
}

bool COrvoDialogBkLightMultiSelect::hoverAllowed(const skin::SkinItem& item) const {
    return item.id < backlight::kFirstKeyId;
}

void COrvoDialogBkLightMultiSelect::paintItemExtras(QPainter& painter, const skin::SkinItem& item) {
    if (item.keyValue >= 1) {
        const RGBColor& color = viewColors_[static_cast<std::size_t>(item.keyValue)];
        backlight::DrawKeyFrame(painter, item.rect, scaleFactor(),
                                backlight::ToQColor(FrameColor(color)));
    }
}

void COrvoDialogBkLightMultiSelect::itemClicked(skin::SkinItem& item) {
    if (item.id >= backlight::kFirstKeyId && item.keyValue >= 1) {
        toggleKey(item);
    } else if (item.id == backlight::kIdMultiClose) {
        done(kResultCancel);
    } else if (item.id == backlight::kIdSetColor) {
        setColor();
    }
}

void COrvoDialogBkLightMultiSelect::toggleKey(skin::SkinItem& key) {
    key.isSelected = !key.isSelected;
    pick_.keys[static_cast<std::size_t>(key.keyValue)] = key.isSelected ? 1 : 0;
    update();
}

void COrvoDialogBkLightMultiSelect::setColor() {
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, QColor(0, 0, 0));
    if (!chosen) {
        // The window stays open with its marks, for another try.
        return;
    }
    pick_.color = backlight::FromQColor(*chosen);
    done(kResultOk);
}

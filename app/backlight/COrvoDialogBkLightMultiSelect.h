// The multi-key light selection window: the user marks any number of keys, then picks one colour
// for all of them with "Set Color". It talks to the backlight settings window only through the
// configuration's hand-over members: it reads lightWorkColor, marks keys in lightSelected and
// leaves the picked colour in lightPickColor. It never touches lightColor or the keyboard.
#pragma once

#include "DialogService.h"
#include "SkinnedDialog.h"
#include "model/KeyboardProfile.h"

class CKeyboardConfig;

class COrvoDialogBkLightMultiSelect : public skin::SkinnedDialog {
    Q_OBJECT

public:
    COrvoDialogBkLightMultiSelect(const skin::SkinResources& resources, CKeyboardConfig& config,
                                  skin::DialogService& dialogs, QWidget* parent);

    // The opening steps: the face, the elements (no key marked) and the colours to show.
    void initialize();
    // initialize(), then the window's modal run. kResultOk after a colour was picked (or
    // Enter), kResultCancel after the close box or Escape.
    int exec() override;

protected:
    bool hoverAllowed(const skin::SkinItem& item) const override;
    void paintItemExtras(QPainter& painter, const skin::SkinItem& item) override;
    void itemClicked(skin::SkinItem& item) override;

private:
    void toggleKey(skin::SkinItem& key);
    void setColor();

    CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    PerKey<RGBColor> viewColors_{};  // the caller's working colours, for the frames only
};

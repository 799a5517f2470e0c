// The multi-key light selection window: the user marks any number of keys, then picks one colour
// for all of them with "Set Color". It is given the colours to frame the keys with and the colour
// picked last, and returns the marked keys and the colour; it never touches the configuration or
// the keyboard.
#pragma once

#include "DialogService.h"
#include "SkinnedDialog.h"
#include "model/KeyboardProfile.h"

#include <cstdint>
#include <string>

class COrvoDialogBkLightMultiSelect : public skin::SkinnedDialog {
    Q_OBJECT

public:
    // What the window returns: the keys marked (1) and the colour for them, which is
    // `lastPick` until the user picks another.
    struct Pick {
        model::PerKey<std::uint8_t> keys{};
        model::RGBColor color{};
    };

    COrvoDialogBkLightMultiSelect(const skin::SkinResources& resources, const std::string& language,
                                  float scaleFactor,
                                  const model::PerKey<model::RGBColor>& shownColors,
                                  model::RGBColor lastPick, skin::DialogService& dialogs,
                                  QWidget* parent);

    // The opening steps: the face, the elements (no key marked) and the colours to show.
    void initialize();
    // initialize(), then the window's modal run. kResultOk after a colour was picked (or
    // Enter), kResultCancel after the close box or Escape.
    int exec() override;

    // The keys marked so far and the colour; after kResultOk, what the caller applies.
    const Pick& pick() const { return pick_; }

protected:
    bool hoverAllowed(const skin::SkinItem& item) const override;
    void paintItemExtras(QPainter& painter, const skin::SkinItem& item) override;
    void itemClicked(skin::SkinItem& item) override;

private:
    void toggleKey(skin::SkinItem& key);
    void setColor();

    skin::DialogService& dialogs_;
    model::PerKey<model::RGBColor>
        viewColors_{};  // the caller's working colours, for the frames only
    Pick pick_;
};

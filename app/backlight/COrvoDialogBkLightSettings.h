// The backlight settings window: the 82 keys framed in their colours, a colour per key from the
// colour chooser, one colour for all keys or for a group (the multi-key window), the colours read
// from or written to the keyboard. It works on its own copy of the colours; only OK and Write
// carry the copy into the configuration, and only Write sends it to the keyboard.
#pragma once

#include "DialogService.h"
#include "SkinnedDialog.h"
#include "model/KeyboardProfile.h"
#include "model/TransferJob.h"

namespace model {
class CKeyboardConfig;
}
class TransferLane;

class COrvoDialogBkLightSettings : public skin::SkinnedDialog {
    Q_OBJECT

public:
    // What the window did to the colours on the keyboard, for the main window to show.
    enum class KeyboardColours {
        Untouched,    // neither written nor read back
        Written,      // Write: the keyboard took the colours
        WriteFailed,  // Write: the keyboard did not take them (they are kept in the program)
        ReadBack,     // Read: the program holds what the keyboard shows
    };

    COrvoDialogBkLightSettings(const skin::SkinResources& resources, model::CKeyboardConfig& config,
                               skin::DialogService& dialogs, TransferLane& lane,
                               const model::JobPauses& pauses, QWidget* parent);

    // The opening steps: the face, the elements and the working copy of the colours.
    void initialize();
    // initialize(), then the window's modal run.
    int exec() override;

    const model::PerKey<model::RGBColor>& editColors() const { return editColors_; }
    KeyboardColours keyboardColours() const { return keyboardColours_; }
    // Whether Write reads the colours back to see that the keyboard holds them (off by default).
    void setVerifyWrites(bool verify) { verifyWrites_ = verify; }
    // The line naming the key under the pointer and its colour, as it shows now.
    QString keyColourText() const;

protected:
    void beforeCompose() override;
    bool hoverAllowed(const skin::SkinItem& item) const override;
    void paintItemExtras(QPainter& painter, const skin::SkinItem& item) override;
    void itemClicked(skin::SkinItem& item) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void chooseKeyColour(int key);
    void setAll();
    void resetToBlack();
    void readFromKeyboard();
    void writeToKeyboard();
    // After a verified write: reads the colours back and tells which keys the keyboard does not
    // hold as written; whether it holds them all.
    bool coloursReadBack();
    void multiKey();
    void tell(const QString& text);
    QString keyColourCaption(const std::string& language) const;
    // The key under the pointer changed: the colour line shows the new one.
    void followPointer();

    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    TransferLane& lane_;
    model::JobPauses pauses_;
    model::PerKey<model::RGBColor> editColors_{};
    KeyboardColours keyboardColours_ = KeyboardColours::Untouched;
    bool verifyWrites_ = false;
    int keyUnderPointer_ = 0;  // 0: none
};

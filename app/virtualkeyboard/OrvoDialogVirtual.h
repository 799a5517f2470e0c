// The virtual keyboard: a picture of a full-size keyboard (104 keys, including the navigation
// block and numeric pad the configured keyboard may lack) on which the user picks keys with the
// mouse. Keys stand for HW codes. The window returns its pick in `picked`; the display line at
// the bottom shows the choice by name.
//
// How a window uses it:
//   OrvoDialogVirtual keyboard(resources, language, scaleFactor, codes, this);
//   keyboard.selectMode = virtualkbd::kModeSingle;     // or kModeCombination
//   keyboard.picked.single = <HW code of the key now assigned, or 0 / -1 for none>;  // single only
//   if (keyboard.exec() == skin::SkinnedDialog::kResultOk) {
//       single:      keyboard.picked.single (0: the user cleared the choice)
//       combination: keyboard.picked.combo[0 .. picked.comboCount - 1], in the order chosen
//   }
// After a cancel `picked` holds whatever was picked before it: ignore it. Convert HW codes back
// to key codes with the code tables' hwToVk.
//
// Clicks: a click toggles a key. In single mode at most one key is chosen (clicking it again
// clears the choice) and a double click on a key chooses it and closes the window with OK. In
// combination mode keys are added in the order clicked, up to six; a seventh is refused, and
// clicking a chosen key takes it out. A click counts 100 ms after its release; when the second
// press of a double click comes within that time, the first click does not count on its own.
#pragma once

#include "SkinnedDialog.h"
#include "VirtualDisplayText.h"

#include <QTimer>

#include <string>

namespace model {
class CKeyCodeTables;
}
class QPlainTextEdit;

class OrvoDialogVirtual : public skin::SkinnedDialog {
    Q_OBJECT

public:
    // How long a release waits for a double click before it counts as a click, and how long a
    // double click in single mode waits for its button's release before it closes the window.
    static constexpr int kClickWaitMs = 100;
    static constexpr int kDoubleClickReleaseWaitMs = 300;

    OrvoDialogVirtual(const skin::SkinResources& resources, const std::string& language,
                      float scaleFactor, const model::CKeyCodeTables& codes, QWidget* parent);
    ~OrvoDialogVirtual() override;

    // virtualkbd::kModeSingle or kModeCombination; set before the run. Any other value lets keys
    // be marked without any result.
    int selectMode = 0;
    // The key preselected in single mode, set before the run; the pick, after it. Combination
    // mode starts from an empty list.
    model::VirtualPick picked;

    // The opening steps: face, elements, the preselected key (single mode) or an empty list
    // (combination mode), and the display line. exec() does this first.
    void initialize();
    int exec() override;

    QPlainTextEdit* displayLine() const { return displayLine_; }

public slots:
    void done(int result) override;

protected:
    void itemClicked(skin::SkinItem& item) override;
    // Space or Enter on the focused element: a click on it, at once.
    void activate(skin::SkinItem& item) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The element of the key standing for a HW code, or null.
    skin::SkinItem* keyItem(int hwCode);
    // The click whose release waited kClickWaitMs without a double click.
    void clickWaitEnded();
    void handleClick(const QPoint& point);
    void toggleKey(skin::SkinItem& key);
    void chooseSingle(skin::SkinItem& key);
    void chooseInCombination(skin::SkinItem& key);
    // A double click in single mode, once its button is up (or the wait is over).
    void finishDoubleClick();
    void refreshDisplayLine();

    const model::CKeyCodeTables& codes_;
    QPlainTextEdit* displayLine_ = nullptr;
    QTimer clickWait_;
    QPoint pendingClickPoint_;
    QTimer doubleClickWait_;
    QPoint doubleClickPoint_;
    bool doubleClickPending_ = false;
    bool doubleClickReleased_ = false;
    bool ended_ = false;  // done() was called: later clicks of this run change nothing
};

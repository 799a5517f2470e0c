// The key settings dialog: edits what one key does on one layer, on seven pages, one per kind
// of assignment. It works on copies and writes the key's slot and the library of the page
// showing back into the configuration only on "OK".
//
// The dialog is the frame the pages sit in. It owns what every page shares: the tabs and
// ShowPage, "Default", "Clear", "OK", "Cancel" and the close box, the edit boxes and scroll
// bars, the in-place editor, the tooltip, the click dispatch with its double-click rule, and
// the key capture with its keystroke arithmetic. Each page (KeySettingsPage) owns its data,
// its elements' states and its clicks; the frame hands them to the page showing.
#pragma once

#include "DialogService.h"
#include "DoubleClickRule.h"
#include "HookKeyDecoder.h"
#include "KeyCapture.h"
#include "KeySettingsLayout.h"
#include "KeySettingsPage.h"
#include "SkinnedDialog.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace model {
class CKeyboardConfig;
}
class QPlainTextEdit;

namespace skin {
class CSkinScrollBar;
}

namespace keysettings {
class InPlaceEditor;
class SingleComboPage;
class TipControl;
}  // namespace keysettings

struct KeySettingsOptions {
    // How long a click waits for a double click that would drop it.
    std::chrono::milliseconds doubleClickWait = keysettings::DoubleClickRule::kWait;
    // The clock that times keystrokes (the delays a macro records); tests give their own.
    std::function<keysettings::HookKeyDecoder::Clock::time_point()> keystrokeClock =
        keysettings::HookKeyDecoder::Clock::now;
};

class COrvoDialogKeyMapSettings : public skin::SkinnedDialog, public keysettings::PageHost {
    Q_OBJECT

public:
    // Edits config.selectedKey on config.currentLayer.
    COrvoDialogKeyMapSettings(model::CKeyboardConfig& config, const skin::SkinResources& resources,
                              skin::DialogService& dialogs, keysettings::CaptureNotice& notice,
                              KeySettingsOptions options = {}, QWidget* parent = nullptr);
    ~COrvoDialogKeyMapSettings() override;

    // The opening steps: face, elements, controls, the pages' copies and the first page.
    void initialize();
    // initialize(), then the modal run: 1 after "OK", 2 after "Cancel", the close box, Escape.
    int exec() override;

    // Shows page p + 1 (p = 0..6).
    void ShowPage(int p);
    int currentPage() const { return currentPage_; }
    keysettings::KeySettingsPage& page(int number) {
        return *pages_[static_cast<std::size_t>(number)];
    }
    keysettings::SingleComboPage& singleComboPage();

    const keysettings::KeyCapture& capture() const { return *capture_; }
    skin::CSkinScrollBar& libraryScroll() { return *libraryScroll_; }
    skin::CSkinScrollBar& contentScroll() { return *contentScroll_; }
    keysettings::InPlaceEditor& inPlaceEdit() { return *editor_; }
    keysettings::TipControl& tip() { return *tip_; }
    // Whether a click waits for the double-click rule.
    bool clickPending() const { return clickRule_->pending(); }

    // PageHost.
    model::CKeyboardConfig& config() override { return config_; }
    const std::string& language() const override;
    skin::DialogService& dialogs() override { return dialogs_; }
    QWidget* dialogWidget() override { return this; }
    skin::SkinItem* item(int id) override { return findItem(id); }
    void refresh() override { update(); }
    void startCapture(keysettings::KeySettingsPage& page) override;
    void stopCapture() override;
    std::array<std::uint8_t, 256>& keyIsDown() override { return keyIsDown_; }
    void openEditor(int itemId, const std::wstring& text, keysettings::EditorPurpose purpose,
                    std::function<void(const std::wstring&)> commit) override;
    void setBarRange(keysettings::ListBar bar, int maximum, int page, int position) override;
    void adjustBarMaximum(keysettings::ListBar bar, int delta) override;
    QPlainTextEdit& comboText() override { return *comboText_; }
    keysettings::NumericEdit& countEdit() override { return *countEdit_; }
    keysettings::NumericEdit& delayEdit() override { return *delayEdit_; }
    int runVirtualKeyboard(int selectMode) override;

public slots:
    void done(int result) override;

protected:
    bool isHitCandidate(const skin::SkinItem& item) const override;
    void beforeCompose() override;
    void paintItem(QPainter& painter, skin::SkinItem& item) override;
    void clickReleased(const QPoint& clientPoint) override;
    void messageReceived(std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Keyboard use: the tabs, the page's lists and its icons are one Tab stop each; the
    // arrows move the selection of a list; the tabs switch with Ctrl+Tab.
    bool takesFocus(const skin::SkinItem& item) const override;
    int focusGroup(const skin::SkinItem& item) const override;
    int focusRank(const skin::SkinItem& item) const override;
    bool focusEntry(const skin::SkinItem& item) const override;
    void activate(skin::SkinItem& item) override;
    bool arrowPressed(skin::SkinItem& item, skin::focus::Direction direction) override;
    bool switchTab(int step) override;

private:
    // The list a row element belongs to on the page showing, if it is one.
    std::optional<keysettings::ListBar> listOfRow(int id) const;
    // Moves a list's selection by `lines` as its scroll bar would.
    void scrollList(keysettings::ListBar which, int lines);
    bool onShownPage(int id) const;
    bool slotIsValid() const;
    void createControls();
    void placeControls(int page);
    void placeBar(skin::CSkinScrollBar& bar, const keysettings::BarPlace& place);
    skin::CSkinScrollBar& bar(keysettings::ListBar which);
    // A scroll bar's notification: move its position as the part says and hand it to the page.
    void scrolled(skin::CSkinScrollBar* bar, int code, int position);
    void openOnSlot();
    // The click dispatch, once the double-click rule let the click through.
    void handleClick(const QPoint& clientPoint);
    void handleClickOn(int id);
    void handleRightClick(const QPoint& clientPoint, const QPoint& globalPoint);
    // The page showing, once the pages exist (edits report changes while they are made).
    keysettings::KeySettingsPage* shownPage();
    const keysettings::KeySettingsPage* shownPage() const;
    void act(int id);
    void clearPage();
    void restoreDefault();
    // Whether "OK" may go on: it asks first when it would clear an assignment that the page
    // showing does not make.
    bool clearingAgreed();
    void confirm();
    void updateTip(const QPoint& globalPoint);
    QRect scaledRect(const skin::DesignRect& rect) const;

    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    keysettings::CaptureNotice& notice_;
    KeySettingsOptions options_;
    // Pages by number; index 0 is unused.
    std::array<std::unique_ptr<keysettings::KeySettingsPage>, 8> pages_;
    int currentPage_ = 1;
    keysettings::KeySettingsPage* capturingPage_ = nullptr;
    std::array<std::uint8_t, 256> keyIsDown_{};
    keysettings::HookKeyDecoder decoder_;
    std::unique_ptr<keysettings::KeyCapture> capture_;
    std::unique_ptr<keysettings::DoubleClickRule> clickRule_;
    keysettings::NumericEdit* countEdit_ = nullptr;
    keysettings::NumericEdit* delayEdit_ = nullptr;
    keysettings::InPlaceEditor* editor_ = nullptr;
    QPlainTextEdit* comboText_ = nullptr;
    keysettings::TipControl* tip_ = nullptr;
    skin::CSkinScrollBar* libraryScroll_ = nullptr;
    skin::CSkinScrollBar* contentScroll_ = nullptr;
    // The scroll bars' skin, decoded once while the dialog is open.
    skin::SkinPicture barSkin_;
    // "Clear" was pressed: "OK" clears the key without asking.
    bool cleared_ = false;
    // What the wheel turned by less than a notch.
    int wheelRemainder_ = 0;
};

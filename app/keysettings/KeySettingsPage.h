// The seam between the key settings dialog and its seven pages. The dialog (the frame) owns
// what every page shares: the tabs, the common buttons, the controls, the click dispatch, the
// keyboard capture and the write-back on "OK". A page owns its data and answers the frame
// through KeySettingsPage; it reaches the frame's shared pieces through PageHost.
#pragma once

#include "model/ItemList.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace model {
class CKeyboardConfig;
}
class QPlainTextEdit;
class QPoint;
class QWidget;

namespace skin {
class DialogService;
struct SkinItem;
}  // namespace skin

namespace keysettings {

class KeySettingsPage;
class NumericEdit;

// One keystroke as a capture mode receives it: its key code (Part of the code tables: a
// virtual key, plus 0x100 for keypad Enter and 0x200 when released), the milliseconds since
// the keystroke before it (at most 65535), and the code of that keystroke (-1: none since the
// capture started).
struct HookKey {
    int code = 0;
    bool released = false;
    int elapsedMs = 0;
    int previousCode = -1;
};

// What becomes of a click in the dialog while a page's capture mode is on.
enum class ClickWhileCapturing {
    Proceed,          // the capture goes on and the click is handled
    StoppedOkCancel,  // the capture stopped; only "OK" and "Cancel" are handled further
    Stopped,          // the capture stopped; the click ends there
};

// The dialog's two scroll bars: beside a page's library and beside its content list.
enum class ListBar { Library, Content };

// What the in-place editor is open on.
enum class EditorPurpose { Name, Delay };

// A record button and its two captions: "Record", and "Stop Rec" while a recording runs.
struct RecordButton {
    int button;
    int startLabel;
    int stopLabel;
};

// What a page may ask of the dialog.
class PageHost {
public:
    virtual ~PageHost() = default;

    virtual model::CKeyboardConfig& config() = 0;
    virtual const std::string& language() const = 0;
    virtual skin::DialogService& dialogs() = 0;
    // The dialog itself, as the parent of the messages a page shows.
    virtual QWidget* dialogWidget() = 0;
    // An element of the dialog by id (the first with that id), or null.
    virtual skin::SkinItem* item(int id) = 0;
    // Repaints the whole dialog.
    virtual void refresh() = 0;

    // Starts the page's capture mode: every keystroke then reaches page.captureKey and no other
    // program or window. Stops any mode that is on first.
    virtual void startCapture(KeySettingsPage& page) = 0;
    // Stops the capture mode that is on; keystrokes reach the desktop again.
    virtual void stopCapture() = 0;
    // Pressed state per virtual-key code, for the recordings that watch presses and releases.
    virtual std::array<std::uint8_t, 256>& keyIsDown() = 0;

    // Lays the in-place editor over the element with the text and gives it the focus. On commit
    // (focus lost, Enter, the next click in the dialog) `commit` gets the text once.
    virtual void openEditor(int itemId, const std::wstring& text, EditorPurpose purpose,
                            std::function<void(const std::wstring&)> commit) = 0;

    // A scroll bar's range: positions 0..maximum - page + 1.
    virtual void setBarRange(ListBar bar, int maximum, int page, int position) = 0;
    // A list grew or shrank by delta items.
    virtual void adjustBarMaximum(ListBar bar, int delta) = 0;

    // The dialog's own controls that belong to single pages.
    virtual QPlainTextEdit& comboText() = 0;
    virtual NumericEdit& countEdit() = 0;
    virtual NumericEdit& delayEdit() = 0;

    // Runs the virtual keyboard in select mode 1 (one key) or 2 (a combination); its result.
    virtual int runVirtualKeyboard(int selectMode) = 0;
};

// One page of the dialog. Every operation has a default that does nothing, so a page implements
// only what it takes part in.
class KeySettingsPage {
public:
    KeySettingsPage(PageHost& host, int number) : host_(host), number_(number) {}
    virtual ~KeySettingsPage() = default;
    KeySettingsPage(const KeySettingsPage&) = delete;
    KeySettingsPage& operator=(const KeySettingsPage&) = delete;

    int number() const { return number_; }

    // Opening: the key's slot decides the first page. True when the slot's kind is this page's;
    // the page then takes the slot's content.
    virtual bool openOnSlot(int kind, int hwCode, const model::CItemList& list);
    // The page became the one shown, its controls placed: set its scroll ranges.
    virtual void shown() {}
    // Before every paint: bring the page's element states and texts up to date.
    virtual void beforePaint() {}
    // A click on one of the page's elements.
    virtual void clicked(int id);
    // A scroll bar moved to an absolute position.
    virtual void scrolled(ListBar bar, int position);
    // The right button released over one of the page's elements (the in-place editor was
    // committed first), at a point of the screen.
    virtual void rightClicked(int /*id*/, const QPoint& /*globalPoint*/) {}
    // The value of countEdit or delayEdit changed by typing (within the page's rule).
    virtual void countEdited(int /*value*/) {}
    virtual void delayEdited(int /*value*/) {}

    // A click while this page's capture mode is on: the page stops it (or not) and says what
    // becomes of the click.
    virtual ClickWhileCapturing clickWhileCapturing(int id);
    // A keystroke while this page's capture mode is on.
    virtual void captureKey(const HookKey& key);

    // "Clear".
    virtual void clear() {}
    // "Default" chose this page for the key's default HW code.
    virtual void takeDefault(int hwCode);

    // The list a row element of the page belongs to, if it is a list's row.
    virtual std::optional<ListBar> listOfRow(int /*id*/) const { return std::nullopt; }
    // The element of the list's selected row, -1 when the list is empty.
    virtual int selectedRowId(ListBar /*bar*/) const { return -1; }
    // The index of the list's selected item, when it has one.
    virtual std::optional<int> selectedIndex(ListBar /*bar*/) const { return std::nullopt; }

    // Whether "OK" would give the key an assignment of this page (something is chosen).
    virtual bool hasChoice() const { return false; }
    // Whether the page is the one for a key of `kind`.
    virtual bool assignsKind(int /*kind*/) const { return false; }

    // "OK" while this page shows: write the slot (its kind was set to "not set" before) and the
    // page's library.
    virtual void writeBack(model::CKeyboardConfig& config, int key, int layer);

protected:
    // The frame is no part of the page's state: const operations may ask it too.
    PageHost& host() const { return host_; }

    // Element states the pages set.
    void setSelected(int id, bool selected);
    void setTextVisible(int id, bool visible);
    // Shows the record button pressed, with "Stop Rec" in place of "Record", while `on`.
    void showRecordButton(const RecordButton& button, bool on);

private:
    PageHost& host_;
    int number_;
};

}  // namespace keysettings

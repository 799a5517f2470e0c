// A key settings dialog for one key and layer on the simulated keyboard, opened as the main
// window opens it (without the modal run, so a test can click in it), with its messages
// answered by a ScriptedDialogService. Keystrokes reach it as the hook delivers them: posted
// WM_HOOK_KEY messages.
#pragma once

#include "COrvoDialogKeyMapSettings.h"
#include "ScriptedDialogService.h"
#include "SkinResources.h"
#include "model/KeyboardConfig.h"

#include <QPoint>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

namespace testkit {

class KeySettingsHarness {
public:
    // A fresh configuration of the model with its default keys, in `language`.
    explicit KeySettingsHarness(int model = kDeviceTypePrsmBle, const char* language = "en-US");
    ~KeySettingsHarness();

    // Opens the dialog for the key on the layer (the configuration may be prepared first).
    void open(int key, int layer,
              std::chrono::milliseconds doubleClickWait = std::chrono::milliseconds(0));

    model::CKeyboardConfig config;
    ScriptedDialogService dialogs;
    skin::SkinResources resources;
    keysettings::CaptureNotice notice;
    std::unique_ptr<COrvoDialogKeyMapSettings> dialog;

    QPoint centreOf(int id);
    // A click on an element as the user makes it, handled once the double-click rule lets it.
    void click(int id);
    // A press and release of a key as the hook reports it (virtual-key code, extended flag).
    void press(int vk, bool extended = false);
    void release(int vk, bool extended = false);
    void tap(int vk, bool extended = false);
    // Keystrokes are timed by the harness's clock, which moves only when a test says so.
    void elapse(std::chrono::milliseconds time) { keystrokeTime_ += time; }
    // A keystroke posted but not yet delivered (for many at once, when their times do not
    // matter).
    void post(int vk, bool released, bool extended = false);
    // Answers the next virtual keyboard the dialog opens within a second: clicks the keys of
    // the HW codes in order, then "OK" (or "Cancel"). A later call replaces an answer that was
    // not needed. Counts the keyboards answered.
    void answerVirtualKeyboard(std::vector<int> hwCodes, bool confirm = true);
    int virtualKeyboardsAnswered = 0;
    // Delivers what was posted.
    void deliver();

    // The dialog's result: 0 while it is open, 1 after "OK", 2 after "Cancel".
    int result() const;
    // Whether an element shows selected (as the next paint draws it).
    bool selected(int id);
    // An element's caption in the configuration's language.
    QString caption(int id);
    // The face as the dialog paints it now (design size).
    QImage face();

private:
    void answerOpenKeyboard();

    std::chrono::steady_clock::time_point keystrokeTime_ = std::chrono::steady_clock::now();
    QTimer keyboardWatch_;
    int keyboardWatchTicks_ = 0;
    std::vector<int> keyboardKeys_;
    bool keyboardConfirm_ = true;
};

// Element ids of the dialog, for tests.
using namespace keysettings;

}  // namespace testkit

// Key capture for the dialog's capture modes. Starting installs the device library's hook for
// the dialog, so every keystroke of the desktop arrives as WM_HOOK_KEY and reaches no other
// program. Where the library cannot capture desktop-wide (it cannot read the keyboard event
// devices), the dialog takes the keyboard itself: it grabs it, catches every key event of the
// program before any window sees it and hands it to the hook, which turns it into the same
// WM_HOOK_KEY. Stopping, destroying the capture and the program's end release everything.
#pragma once

#include "OrvoHWI.h"

#include <QObject>

#include <functional>

class QWidget;

namespace keysettings {

// Whether the user has been told that keys are captured only while the dialog has the focus.
// The main window keeps it for the whole run, so the user is told once.
struct CaptureNotice {
    bool told = false;
};

class KeyCapture : public QObject {
    Q_OBJECT

public:
    // `tellInWindowOnly` is called (once per notice) before keys are first captured in the
    // window only.
    KeyCapture(QWidget& window, CaptureNotice& notice, std::function<void()> tellInWindowOnly);
    ~KeyCapture() override;

    void start(WindowHandle target);
    void stop();
    bool active() const { return active_; }
    // Whether the running capture takes keys in the window only.
    bool inWindowOnly() const { return inWindowOnly_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    CaptureNotice& notice_;
    std::function<void()> tellInWindowOnly_;
    bool active_ = false;
    bool inWindowOnly_ = false;
};

}  // namespace keysettings

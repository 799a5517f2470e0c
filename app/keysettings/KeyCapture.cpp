#include "KeyCapture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace keysettings {
namespace {

// X and Wayland number keys as the kernel does, plus 8.
constexpr quint32 kKeycodeOffset = 8;
// Actions of FeedHookKey.
constexpr int kReleased = 0;
constexpr int kPressed = 1;
constexpr int kRepeated = 2;

}  // namespace

KeyCapture::KeyCapture(QWidget& window, CaptureNotice& notice,
                       std::function<void()> tellInWindowOnly)
    : window_(window), notice_(notice), tellInWindowOnly_(std::move(tellInWindowOnly)) {
    // A program that ends while a mode is on gives the keyboard back first.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &KeyCapture::stop);
}

KeyCapture::~KeyCapture() {
    stop();
}

void KeyCapture::start(WindowHandle target) {
    stop();
    InstallHook(target);
    active_ = true;
    inWindowOnly_ = !IsHookInstalled();
    if (!inWindowOnly_) {
        return;
    }
    if (!notice_.told) {
        notice_.told = true;
        // Told before the keyboard is taken, so the message can be answered with a key.
        tellInWindowOnly_();
    }
    if (!active_) {
        return;  // the message's own event loop ended the capture (the dialog closed)
    }
    QCoreApplication::instance()->installEventFilter(this);
    window_.grabKeyboard();
}

void KeyCapture::stop() {
    if (!active_) {
        return;
    }
    active_ = false;
    UninstallHook();
    if (inWindowOnly_) {
        QCoreApplication::instance()->removeEventFilter(this);
        window_.releaseKeyboard();
        inWindowOnly_ = false;
    }
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // No shortcut of any window fires while keys are captured.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool released = event->type() == QEvent::KeyRelease;
            // The platform's auto-repeat comes as release and press pairs; only the presses
            // are keystrokes (repeats of a held key).
            if (!(released && key->isAutoRepeat()) && key->nativeScanCode() > kKeycodeOffset) {
                const int action = released              ? kReleased
                                   : key->isAutoRepeat() ? kRepeated
                                                         : kPressed;
                static_cast<void>(
                    FeedHookKey(static_cast<int>(key->nativeScanCode() - kKeycodeOffset), action));
            }
            // Every key event is the capture's, whichever window it was meant for.
            event->accept();
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace keysettings

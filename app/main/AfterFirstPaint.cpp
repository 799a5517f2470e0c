#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Watches the window's events for its first paint; lives as long as the window at most.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::function<void()> task)
        : QObject(&window), task_(std::move(task)) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this event, the painted window reaches the screen first.
            QTimer::singleShot(0, parent(), std::move(task_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> task_;
};

}  // namespace

void RunAfterFirstPaint(QWidget& window, std::function<void()> task) {
    new FirstPaintWatch(window, std::move(task));
}

// The key settings dialog handles a click only when no double click follows it within a short
// wait: the release is held back, and a double click in the meantime drops it. The release of
// the double click's second click is then a click of its own. The wait runs on a timer, so the
// window keeps answering while it waits.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <chrono>
#include <functional>

namespace keysettings {

class DoubleClickRule : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kWait{200};

    DoubleClickRule(std::chrono::milliseconds wait, std::function<void(const QPoint&)> click);

    // A left-button release that makes a click at the point. A click still waiting is handled
    // first.
    void released(const QPoint& point);
    // A double click arrived: the waiting click is dropped.
    void doubleClicked();
    // The window closes: a waiting click is dropped.
    void cancel();
    bool pending() const { return timer_.isActive(); }

private:
    void handlePending();

    std::function<void(const QPoint&)> click_;
    QPoint point_;
    QTimer timer_;
};

}  // namespace keysettings

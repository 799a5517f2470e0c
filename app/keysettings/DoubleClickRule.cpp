#include "DoubleClickRule.h"

namespace keysettings {

DoubleClickRule::DoubleClickRule(std::chrono::milliseconds wait,
                                 std::function<void(const QPoint&)> click)
    : click_(std::move(click)) {
    timer_.setSingleShot(true);
    timer_.setInterval(wait);
    connect(&timer_, &QTimer::timeout, this, &DoubleClickRule::handlePending);
}

void DoubleClickRule::released(const QPoint& point) {
    if (timer_.isActive()) {
        timer_.stop();
        handlePending();
    }
    point_ = point;
    timer_.start();
}

void DoubleClickRule::doubleClicked() {
    timer_.stop();
}

void DoubleClickRule::cancel() {
    timer_.stop();
}

void DoubleClickRule::handlePending() {
    click_(point_);
}

}  // namespace keysettings

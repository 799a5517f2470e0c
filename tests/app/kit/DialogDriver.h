// Driving skinned windows from a test as a user would: clicks and pointer moves on their
// elements, and actions on a modal window as soon as it is up (a modal run blocks the test until
// the window ends).
#pragma once

#include "SkinnedDialog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace testkit {

// Centre of an element's rectangle, in window coordinates.
QPoint CentreOf(const skin::SkinItem& item);
// A click on the first element with `id`, as the user makes it.
void ClickElement(skin::SkinnedDialog& dialog, int id);
// The pointer moves to a point of the window (no button held).
void MovePointer(QWidget& window, const QPoint& point);
// The pointer moves onto the first element with `id`.
void HoverElement(skin::SkinnedDialog& dialog, int id);

// Fails the test and ends a modal window that an action left open, so that a failed check
// inside the action cannot leave the test waiting for ever.
void EndIfLeftOpen(QDialog* window);

// Runs `action` on the next modal window of type T once it is up (it looks every few
// milliseconds, inside whatever modal run is going on). The action must end the window.
template <typename T>
void WhenModal(std::function<void(T&)> action) {
    QTimer::singleShot(5, [action] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            action(*window);
            EndIfLeftOpen(window);
        } else {
            WhenModal<T>(action);
        }
    });
}

}  // namespace testkit

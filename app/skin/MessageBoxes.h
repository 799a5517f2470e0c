// The program's message boxes, one at a time. Events keep coming while a box is up (a transfer
// ending, the keyboard going away), and what they say would open a second box over the first:
// such a box waits until the one shown is closed, and one saying exactly what the box shown
// says is not shown again. A box is made wide enough for its caption, which a window manager
// would otherwise cut short on a box with a short text.
#pragma once

#include <QPointer>
#include <QString>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace skin {

class MessageBoxes {
public:
    // What became of a box.
    struct Outcome {
        bool shown = false;                  // false: it said what the box up said
        QAbstractButton* clicked = nullptr;  // null when it was withdrawn or closed unanswered
    };

    // Runs the box modally once no other box is up. A box of an OK button alone that says
    // what the box up says is merged into it.
    Outcome run(QMessageBox& box);
    // Closes the box shown over `parent`, if any, unanswered.
    void withdraw(QWidget* parent);

    // Adds room to the box so that its caption shows whole in a title bar.
    static void FitCaption(QMessageBox& box);

private:
    QPointer<QMessageBox> shown_;
};

}  // namespace skin

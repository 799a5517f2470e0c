#include "MessageBoxes.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace skin {
namespace {

// A title bar holds the window's icon and its buttons beside the caption, and window managers
// draw captions in a bolder face than the box's text: room for both.
constexpr double kBoldCaptionFactor = 1.25;
constexpr int kTitleBarExtras = 150;

bool SaysTheSame(const QMessageBox& a, const QMessageBox& b) {
    return a.text() == b.text() && a.windowTitle() == b.windowTitle();
}

bool OnlyAnOkButton(const QMessageBox& box) {
    return box.buttons().size() == 1 && box.standardButtons() == QMessageBox::Ok;
}

}  // namespace

MessageBoxes::Outcome MessageBoxes::run(QMessageBox& box) {
    while (shown_ != nullptr) {
        if (OnlyAnOkButton(box) && SaysTheSame(box, *shown_)) {
            return {};
        }
        // Waits inside this event loop, so the box up can be answered; this call returns once
        // its own box is answered, and the box before it then returns too.
        QEventLoop wait;
        QObject::connect(shown_, &QDialog::finished, &wait, &QEventLoop::quit);
        QObject::connect(shown_, &QObject::destroyed, &wait, &QEventLoop::quit);
        wait.exec();
    }
    FitCaption(box);
    shown_ = &box;
    // The next box may come as soon as this one is closed, before its run has unwound.
    QObject::connect(&box, &QDialog::finished, &box, [this, &box] {
        if (shown_ == &box) {
            shown_ = nullptr;
        }
    });
    box.exec();
    if (shown_ == &box) {
        shown_ = nullptr;
    }
    return {true, box.clickedButton()};
}

void MessageBoxes::withdraw(QWidget* parent) {
    if (shown_ != nullptr && shown_->parentWidget() == parent) {
        shown_->done(QDialog::Rejected);
    }
}

void MessageBoxes::FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    const int captionWidth = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle());
    const int wanted = static_cast<int>(captionWidth * kBoldCaptionFactor) + kTitleBarExtras;
    // A spacer under everything else: the box grows to it, its contents keep their places.
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace skin

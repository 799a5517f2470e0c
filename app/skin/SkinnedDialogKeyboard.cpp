// The skinned windows' keyboard side: the focus passes among the elements of the face (Tab,
// Shift+Tab, the arrows), Space and Enter press the focused element, Ctrl+Tab and Ctrl+PgDn
// switch tabs, and a mark in the artwork's colours shows which element has the focus.
#include "SkinnedDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace skin {
namespace {

// The mark: a near-white line inside a dark one, visible on the dark face, on the orange
// selected look and on the hover look alike.
const QColor kFocusMarkLine(0xf4, 0xf1, 0xec);
const QColor kFocusMarkRim(0x11, 0x13, 0x17);
constexpr double kFocusMarkRadius = 3.0;

}  // namespace

bool SkinnedDialog::takesFocus(const SkinItem& item) const {
    return isHitCandidate(item);
}

int SkinnedDialog::focusGroup(const SkinItem& item) const {
    constexpr int kFirstKeyOrEntryId = 100;
    return item.id >= kFirstKeyOrEntryId ? 1 : 0;
}

int SkinnedDialog::focusRank(const SkinItem&) const {
    return 0;
}

bool SkinnedDialog::focusEntry(const SkinItem& item) const {
    return item.isSelected;
}

void SkinnedDialog::activate(SkinItem& item) {
    itemClicked(item);
}

bool SkinnedDialog::arrowPressed(SkinItem&, focus::Direction) {
    return false;
}

bool SkinnedDialog::switchTab(int) {
    return false;
}

std::vector<focus::Target> SkinnedDialog::focusTargets(std::vector<int>* indexes) const {
    indexes->clear();
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (takesFocus(items_[index])) {
            indexes->push_back(static_cast<int>(index));
        }
    }
    std::stable_sort(indexes->begin(), indexes->end(), [this](int a, int b) {
        return focusRank(items_[static_cast<std::size_t>(a)]) <
               focusRank(items_[static_cast<std::size_t>(b)]);
    });
    std::vector<focus::Target> targets;
    for (int index : *indexes) {
        const SkinItem& item = items_[static_cast<std::size_t>(index)];
        targets.push_back(
            {QRect(item.rect.left, item.rect.top, item.rect.width(), item.rect.height()),
             focusGroup(item), focusEntry(item)});
    }
    return targets;
}

int SkinnedDialog::focusedIndex() const {
    // An element that took the focus may take it no more (a page of the window was turned).
    const bool valid = focusIndex_ >= 0 && focusIndex_ < static_cast<int>(items_.size()) &&
                       takesFocus(items_[static_cast<std::size_t>(focusIndex_)]);
    return valid ? focusIndex_ : -1;
}

SkinItem* SkinnedDialog::focusedItem() {
    const int index = focusedIndex();
    return index >= 0 ? &items_[static_cast<std::size_t>(index)] : nullptr;
}

bool SkinnedDialog::focusMarkShown() const {
    return focusMarkOn_ && hasFocus() && focusedIndex() >= 0;
}

void SkinnedDialog::focusItem(int id) {
    for (std::size_t index = 0; index < items_.size(); ++index) {
        if (items_[index].id == id && takesFocus(items_[index])) {
            setFocusIndex(static_cast<int>(index), true);
            return;
        }
    }
}

void SkinnedDialog::setFocusIndex(int index, bool showMark) {
    const SkinItem* before = focusMarkShown() ? focusedItem() : nullptr;
    focusIndex_ = index;
    focusMarkOn_ = showMark;
    const SkinItem* now = focusMarkShown() ? focusedItem() : nullptr;
    // Only a mark that appears, goes or moves repaints anything.
    if (before != now) {
        if (before != nullptr) {
            updateItem(*before);
        }
        if (now != nullptr) {
            updateItem(*now);
        }
    }
}

void SkinnedDialog::moveFocus(focus::Direction direction) {
    std::vector<int> indexes;
    const std::vector<focus::Target> targets = focusTargets(&indexes);
    const auto found = std::find(indexes.begin(), indexes.end(), focusIndex_);
    if (found == indexes.end()) {
        // Nothing has the focus yet: the first arrow shows where it is.
        bool wrapped = false;
        const int first = focus::NextTabStop(targets, -1, true, &wrapped);
        if (first >= 0) {
            setFocusIndex(indexes[static_cast<std::size_t>(first)], true);
        }
        return;
    }
    const int next =
        focus::Neighbour(targets, static_cast<int>(found - indexes.begin()), direction);
    setFocusIndex(next >= 0 ? indexes[static_cast<std::size_t>(next)] : focusIndex_, true);
}

void SkinnedDialog::takeFocusIfNoneHasIt() {
    // Keys reach an active window without a focused widget too; the face takes the focus so
    // that its mark can show.
    const QWidget* focused = QApplication::focusWidget();
    if (isActiveWindow() && (focused == nullptr || !isAncestorOf(focused))) {
        setFocus(Qt::OtherFocusReason);
    }
}

bool SkinnedDialog::focusNextPrevChild(bool next) {
    takeFocusIfNoneHasIt();
    if (!hasFocus()) {
        // One of the window's own controls has the focus: Qt passes it on, back to the face
        // after the last of them (focusInEvent), where the mark then shows. Qt also asks here
        // for a first focus as the window opens, and for another one when the control with
        // the focus is hidden (an editor closing): those show no mark.
        const QWidget* control = QApplication::focusWidget();
        if (control != nullptr && control != this && isAncestorOf(control) &&
            control->isVisible()) {
            focusMarkOn_ = true;
        }
        return QDialog::focusNextPrevChild(next);
    }
    if (!focusMarkOn_ && focusedItem() != nullptr) {
        // The first Tab shows where the focus is (the element clicked last, or the first).
        setFocusIndex(focusIndex_, true);
        return true;
    }
    std::vector<int> indexes;
    const std::vector<focus::Target> targets = focusTargets(&indexes);
    const auto found = std::find(indexes.begin(), indexes.end(), focusIndex_);
    const int current = found == indexes.end() ? -1 : static_cast<int>(found - indexes.begin());
    bool wrapped = false;
    const int stop = focus::NextTabStop(targets, current, next, &wrapped);
    if (wrapped || stop < 0) {
        // Past the last element: the window's own controls come next, if any takes the focus.
        focusMarkOn_ = true;
        if (QDialog::focusNextPrevChild(next) && !hasFocus()) {
            return true;
        }
    }
    if (stop >= 0) {
        setFocusIndex(indexes[static_cast<std::size_t>(stop)], true);
    }
    return true;
}

void SkinnedDialog::focusInEvent(QFocusEvent* event) {
    QDialog::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        // Back from the window's own controls: the first element, or the last going back.
        std::vector<int> indexes;
        const std::vector<focus::Target> targets = focusTargets(&indexes);
        bool wrapped = false;
        const int stop =
            focus::NextTabStop(targets, -1, event->reason() == Qt::TabFocusReason, &wrapped);
        setFocusIndex(stop >= 0 ? indexes[static_cast<std::size_t>(stop)] : -1, focusMarkOn_);
    } else if (const SkinItem* item = focusedItem()) {
        updateItem(*item);
    }
}

void SkinnedDialog::focusOutEvent(QFocusEvent* event) {
    QDialog::focusOutEvent(event);
    if (const SkinItem* item = focusedItem()) {
        updateItem(*item);
    }
}

bool SkinnedDialog::navigationKeyPressed(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        switch (event->key()) {
            case Qt::Key_Tab:
            case Qt::Key_PageDown:
                return switchTab(+1);
            case Qt::Key_Backtab:
            case Qt::Key_PageUp:
                return switchTab(-1);
            default:
                return false;
        }
    }
    if (modifiers != Qt::NoModifier) {
        return false;
    }
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down: {
            static constexpr focus::Direction kDirections[] = {
                focus::Direction::Left, focus::Direction::Up, focus::Direction::Right,
                focus::Direction::Down};
            const focus::Direction direction = kDirections[event->key() - Qt::Key_Left];
            takeFocusIfNoneHasIt();
            SkinItem* item = focusedItem();
            if (item != nullptr && !focusMarkOn_) {
                setFocusIndex(focusIndex_, true);  // the first arrow shows where the focus is
            } else if (item == nullptr || !arrowPressed(*item, direction)) {
                moveFocus(direction);
            }
            return true;
        }
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // Space and Enter press the focused element once the user moves the focus with the
            // keyboard; before that, Enter keeps the window's own meaning.
            SkinItem* item = focusedItem();
            if (item == nullptr || !focusMarkOn_) {
                return false;
            }
            if (!event->isAutoRepeat()) {
                activate(*item);
            }
            return true;
        }
        default:
            return false;
    }
}

void SkinnedDialog::paintFocusMark(QPainter& painter) {
    const SkinItem* item = focusMarkShown() ? focusedItem() : nullptr;
    if (item == nullptr) {
        return;
    }
    const QRectF area = QRectF(designArea(*item)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusMarkRim, 1.0));
    painter.drawRoundedRect(area, kFocusMarkRadius, kFocusMarkRadius);
    painter.setPen(QPen(kFocusMarkLine, 1.0));
    painter.drawRoundedRect(area.adjusted(1.0, 1.0, -1.0, -1.0), kFocusMarkRadius - 1.0,
                            kFocusMarkRadius - 1.0);
    painter.restore();
}

}  // namespace skin

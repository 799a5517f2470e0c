#include "InPlaceEditor.h"

#include <QKeyEvent>

namespace keysettings {

InPlaceEditor::InPlaceEditor(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    setMaxLength(kMaxLength);
    hide();
    setEnabled(false);
}

void InPlaceEditor::open(const QRect& rect, const QString& text, EditorPurpose purpose,
                         std::function<void(const std::wstring&)> commit) {
    setGeometry(rect);
    setText(text);
    openedWith_ = text;
    purpose_ = purpose;
    commit_ = std::move(commit);
    open_ = true;
    setEnabled(true);
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void InPlaceEditor::commit() {
    if (!open_) {
        return;
    }
    // Closed first: hiding takes the focus away, which commits again.
    open_ = false;
    std::function<void(const std::wstring&)> commitText = std::move(commit_);
    commit_ = nullptr;
    const std::wstring value = text().toStdWString();
    hide();
    setEnabled(false);
    if (commitText) {
        commitText(value);
    }
    emit committed();
}

void InPlaceEditor::discard() {
    open_ = false;
    commit_ = nullptr;
    hide();
    setEnabled(false);
}

void InPlaceEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter commits the text and goes no further (it does not end the dialog).
        commit();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        // Escape takes back only what was typed: the entry keeps the name (or the delay) the
        // editor opened with, and the dialog stays open.
        setText(openedWith_);
        commit();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InPlaceEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    commit();
}

}  // namespace keysettings

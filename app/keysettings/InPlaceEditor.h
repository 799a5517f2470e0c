// The one-line editor the dialog lays over a list row to type an entry name (or, on the macro
// page, a delay). Whoever opens it says what a commit does with the text; it commits once, when
// it loses the focus, on Enter, or when the dialog commits it at the next click. Escape commits
// the text it opened with, so what was typed is dropped and nothing else.
#pragma once

#include "KeySettingsPage.h"

#include <QLineEdit>

#include <functional>
#include <string>

namespace keysettings {

class InPlaceEditor : public QLineEdit {
    Q_OBJECT

public:
    // Names longer than this cannot be typed or pasted.
    static constexpr int kMaxLength = 64;

    explicit InPlaceEditor(QWidget* parent);

    void open(const QRect& rect, const QString& text, EditorPurpose purpose,
              std::function<void(const std::wstring&)> commit);
    // Hides the editor and hands the text to whoever opened it; nothing when it is closed.
    void commit();
    // Closes the editor and drops the text (the dialog ends without it).
    void discard();

    bool isOpen() const { return open_; }
    bool openOn(EditorPurpose purpose) const { return open_ && purpose_ == purpose; }

signals:
    void committed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool open_ = false;
    EditorPurpose purpose_ = EditorPurpose::Name;
    QString openedWith_;
    std::function<void(const std::wstring&)> commit_;
};

}  // namespace keysettings

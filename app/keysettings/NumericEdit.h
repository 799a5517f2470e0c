// The dialog's numeric edits (the repeat count and the intervals): digits only, never more than
// a value can hold, and Enter does nothing in them. The page showing gives the rule that reads
// the text (logic/TypedNumber.h): a value out of its range is replaced in the edit at once, so
// what the edit shows is always what the content takes.
#pragma once

#include "keysettings/logic/TypedNumber.h"

#include <QLineEdit>

#include <string_view>

namespace keysettings {

class NumericEdit : public QLineEdit {
    Q_OBJECT

public:
    using Reader = TypedNumber (*)(std::wstring_view text);

    // Five digits hold every value the pages use, and no text can overflow.
    static constexpr int kMaxDigits = 5;

    explicit NumericEdit(QWidget* parent);

    // The rule for the text; null reads any digits as they are. The text is read again at once.
    void setReader(Reader reader);
    // The page showing takes the edit: its rule, and its value shown. No notification: the
    // value is the page's already.
    void bind(Reader reader, int value);
    // Shows a value the page's content holds (as the rule reads it) without a notification;
    // nothing when the text already reads as that value, so typing is never disturbed.
    void showValue(int value);

signals:
    // The text changed and its value is within the rule's range.
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readText();
    TypedNumber read(const QString& text) const;

    Reader reader_ = nullptr;
};

}  // namespace keysettings

// The dialog's numeric edits (repeat count, intervals): digits only, and a value kept within
// the range the page gives: a typed or pasted value above the range becomes its highest value,
// one below it (an empty text counts as 0) its lowest.
#pragma once

#include <QLineEdit>

namespace keysettings {

class NumericEdit : public QLineEdit {
    Q_OBJECT

public:
    // Five digits hold every value the pages use, and no text can overflow.
    static constexpr int kMaxDigits = 5;

    explicit NumericEdit(QWidget* parent);

    // The range; the text is brought into it at once.
    void setRange(int minimum, int maximum);
    // The text's value (0 for an empty text).
    int value() const;
    // Shows a value (clamped to the range).
    void setValue(int value);

signals:
    // The text changed and is within the range.
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void clampText();

    int minimum_ = 0;
    int maximum_ = 99999;
};

}  // namespace keysettings

#include "NumericEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace keysettings {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxDigits)), this));
    setMaxLength(kMaxDigits);
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, &NumericEdit::clampText);
}

void NumericEdit::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    clampText();
}

int NumericEdit::value() const {
    return text().toInt();  // digits only, at most five: 0 for an empty text
}

void NumericEdit::setValue(int value) {
    setText(QString::number(std::clamp(value, minimum_, maximum_)));
}

void NumericEdit::clampText() {
    const int current = value();
    const int clamped = std::clamp(current, minimum_, maximum_);
    if (clamped != current) {
        setText(QString::number(clamped));  // comes back here with the value in range
        return;
    }
    emit valueChanged(current);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // Enter in a numeric edit does nothing
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace keysettings

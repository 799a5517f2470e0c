#include "NumericEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace keysettings {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxDigits)), this));
    setMaxLength(kMaxDigits);
    setFrame(false);
    connect(this, &QLineEdit::textChanged, this, &NumericEdit::readText);
}

void NumericEdit::setReader(Reader reader) {
    reader_ = reader;
    readText();
}

void NumericEdit::bind(Reader reader, int value) {
    reader_ = reader;
    showValue(value);
}

void NumericEdit::showValue(int value) {
    const TypedNumber shown = read(QString::number(value));
    const TypedNumber current = read(text());
    if (!current.replacement && current.value == shown.value) {
        return;
    }
    const QSignalBlocker quiet(this);
    setText(QString::fromStdWString(shown.replacement.value_or(std::to_wstring(value))));
}

TypedNumber NumericEdit::read(const QString& text) const {
    if (reader_ == nullptr) {
        return {text.toInt(), std::nullopt};  // digits only: 0 for an empty text
    }
    return reader_(text.toStdWString());
}

void NumericEdit::readText() {
    const TypedNumber typed = read(text());
    if (typed.replacement) {
        setText(QString::fromStdWString(*typed.replacement));  // read again, now in range
        return;
    }
    emit valueChanged(typed.value);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();  // Enter in a numeric edit does nothing
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace keysettings

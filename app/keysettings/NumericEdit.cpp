#include "NumericEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

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

void NumericEdit::readText() {
    if (reader_ == nullptr) {
        emit valueChanged(text().toInt());  // digits only: 0 for an empty text
        return;
    }
    const TypedNumber typed = reader_(text().toStdWString());
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

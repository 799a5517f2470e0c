// The program's real message boxes: one at a time, wide enough for their caption, questions
// answered by their own buttons, by Escape and the close box, and taken back by their window.
#include "DialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `action` on the next message box once it is up.
void WhenBoxIsUp(const std::function<void(QMessageBox&)>& action) {
    QTimer::singleShot(5, [action] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box != nullptr && box->isVisible()) {
            action(*box);
        } else {
            WhenBoxIsUp(action);
        }
    });
}

skin::Question ThreeWayQuestion() {
    skin::Question question;
    question.text = QStringLiteral("Save the configuration?");
    question.caption = QStringLiteral("Z9RT(PRSM)Ble");
    question.buttons = {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")};
    question.defaultButton = 0;
    question.escapeButton = 2;
    return question;
}

}  // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    // A short text made a box too narrow for its caption, which the title bar cut short.
    void aBoxIsWideEnoughForItsCaption() {
        skin::QtDialogService dialogs;
        const QString caption = QStringLiteral("Z9RT(PRSM)Ble");
        int width = 0;
        int captionWidth = 0;
        WhenBoxIsUp([&](QMessageBox& box) {
            width = box.width();
            QFont bold = box.font();
            bold.setBold(true);
            captionWidth = QFontMetrics(bold).horizontalAdvance(caption);
            box.accept();
        });
        dialogs.message(nullptr, QStringLiteral("OK!!"), caption, skin::MessageButtons::Ok,
                        skin::MessageIcon::Exclamation);
        // Room for the caption in a bold face and a title bar's icon and three buttons.
        QVERIFY2(width >= captionWidth + 120, qPrintable(QString::number(width)));
    }

    void aQuestionIsAnsweredByItsButtonsEscapeAndTheCloseBox_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("answer");
        QTest::newRow("second button") << "No" << 1;
        QTest::newRow("Enter") << "Enter" << 0;
        QTest::newRow("Escape") << "Escape" << 2;
        QTest::newRow("close box") << "close" << 2;
    }

    void aQuestionIsAnsweredByItsButtonsEscapeAndTheCloseBox() {
        QFETCH(QString, way);
        QFETCH(int, answer);
        skin::QtDialogService dialogs;
        QStringList texts;
        WhenBoxIsUp([&](QMessageBox& box) {
            for (const QAbstractButton* button : box.buttons()) {
                texts << button->text();
            }
            if (way == QLatin1String("No")) {
                box.buttons().at(1)->click();
            } else if (way == QLatin1String("Enter")) {
                QTest::keyClick(&box, Qt::Key_Return);
            } else if (way == QLatin1String("Escape")) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.close();
            }
        });
        QCOMPARE(dialogs.ask(nullptr, ThreeWayQuestion()), answer);
        // In the order given, whatever the desktop's order of roles.
        QCOMPARE(texts, ThreeWayQuestion().buttons);
    }

    // Events that come while a box is up open no second box over it: the next waits, and one
    // saying the same is not shown again.
    void boxesComeOneAtATime() {
        skin::QtDialogService dialogs;
        QStringList shown;
        int upAtOnce = 0;
        const auto countBoxes = [&upAtOnce] {
            int visible = 0;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                visible += qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible();
            }
            upAtOnce = std::max(upAtOnce, visible);
        };
        const auto closeNext = [&](auto& self, int left) -> void {
            if (left == 0) {
                return;
            }
            WhenBoxIsUp([&, self, left](QMessageBox& box) {
                countBoxes();
                shown << box.text();
                box.accept();
                self(self, left - 1);
            });
        };
        WhenBoxIsUp([&](QMessageBox& first) {
            shown << first.text();
            // While the first is up: the same again, then another message.
            QTimer::singleShot(0, [&] {
                dialogs.message(nullptr, QStringLiteral("Transfer failed"), QStringLiteral("Z9RT"),
                                skin::MessageButtons::Ok, skin::MessageIcon::None);
            });
            QTimer::singleShot(0, [&] {
                dialogs.message(nullptr, QStringLiteral("Keyboard is not connected"),
                                QStringLiteral("Z9RT"), skin::MessageButtons::Ok,
                                skin::MessageIcon::None);
            });
            QTimer::singleShot(50, [&] {
                countBoxes();
                first.accept();
                closeNext(closeNext, 1);
            });
        });
        dialogs.message(nullptr, QStringLiteral("Transfer failed"), QStringLiteral("Z9RT"),
                        skin::MessageButtons::Ok, skin::MessageIcon::None);
        QTRY_COMPARE(shown, (QStringList{QStringLiteral("Transfer failed"),
                                         QStringLiteral("Keyboard is not connected")}));
        QCOMPARE(upAtOnce, 1);
    }

    // A window takes back a question that events answered: it ends as by Escape.
    void aWithdrawnQuestionEndsAsByEscape() {
        skin::QtDialogService dialogs;
        QWidget window;
        WhenBoxIsUp([&](QMessageBox&) {
            dialogs.withdraw(nullptr);  // another window's: stays
            QTimer::singleShot(20, [&] { dialogs.withdraw(&window); });
        });
        QCOMPARE(dialogs.ask(&window, ThreeWayQuestion()), 2);
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"

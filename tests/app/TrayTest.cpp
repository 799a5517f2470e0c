// The main window in a real notification area: run by with-desktop.sh on a virtual screen with
// a window manager and a tray, where the icon docks and answers the mouse as the user's does.
// Without a notification area (the offscreen platform) there is nothing to test.
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>

using testkit::MainWindowHarness;
using testkit::TestMainWindow;

namespace {

// The small window Qt docks into the notification area for the icon.
QWidget* DockedIcon() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (QLatin1String(widget->metaObject()->className()) ==
                QLatin1String("QSystemTrayIconSys") &&
            widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QSystemTrayIcon::isSystemTrayAvailable()) {
            QSKIP("this desktop has no notification area");
        }
    }

    void theIconDocksAndBringsTheWindowBack() {
        MainWindowHarness harness;
        bool ended = false;
        // The window runs as the program runs it; the steps happen inside its run, which a
        // failed step ends.
        const int result = harness.run([&] {
            harness.window->askTheDesktop = true;
            useTheTray(harness);
            ended = !harness.window->isVisible() && !harness.window->inTray();
            if (!ended) {
                harness.window->done(skin::SkinnedDialog::kResultCancel);
            }
        });
        QVERIFY(ended);
        QCOMPARE(result, skin::SkinnedDialog::kResultOk);
    }

private:
    void useTheTray(MainWindowHarness& harness) {
        TestMainWindow& window = *harness.window;
        auto* tray = window.findChild<QSystemTrayIcon*>();

        harness.click(mainwin::kIdHide);
        QVERIFY(window.isHidden());
        QTRY_VERIFY(DockedIcon() != nullptr && !tray->geometry().isEmpty());
        QTest::mouseDClick(DockedIcon(), Qt::LeftButton);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!tray->isVisible());

        // The menu's first command brings the window back as well.
        harness.click(mainwin::kIdHide);
        QTRY_VERIFY(DockedIcon() != nullptr);
        QTest::mouseClick(DockedIcon(), Qt::RightButton);
        QMenu* menu = window.trayMenu();
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().constFirst()).center());
        QTRY_VERIFY(window.isVisible());

        // Its last command exits, through the exit questions.
        harness.config.keysDirty = 1;
        harness.click(mainwin::kIdHide);
        QTRY_VERIFY(DockedIcon() != nullptr);
        QTest::mouseClick(DockedIcon(), Qt::RightButton);
        QTRY_VERIFY(menu->isVisible());
        harness.dialogs.choices = {COrvoDlg::kExitYes, COrvoDlg::kExitNo};
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().constLast()).center());
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{2});
        QVERIFY(!tray->isVisible());
    }
};

QTEST_MAIN(TrayTest)
#include "TrayTest.moc"

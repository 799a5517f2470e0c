// The windowed program on a real keyboard: found when it is plugged in during the start-up
// search, WriteKeys reaching it, other programs refused while the window holds it, and
// "Keyboard is not connected" when it leaves, told by the libudev watcher.
#include "COrvoApp.h"
#include "DeviceWatcher.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "RigControl.h"

#include <QProcess>
#include <QTest>

#include <chrono>
#include <thread>

using model::CKeyboardConfig;

class MainWindowScenario : public QObject {
    Q_OBJECT

private slots:
    void aKeyboardPluggedInDuringTheSearchIsFound() {
        QCOMPARE(rig::TellKeyboard(QStringLiteral("unplug")), QStringLiteral("ok"));
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        StartupOptions options;
        int pauses = 0;
        options.pause = [&pauses](std::chrono::milliseconds duration) {
            if (++pauses == 2) {
                QCOMPARE(rig::TellKeyboard(QStringLiteral("plug")), QStringLiteral("ok"));
            }
            std::this_thread::sleep_for(duration);
        };
        COrvoApp app(config, dialogs, options);
        app.detectKeyboard();
        QCOMPARE(config.deviceType, kDeviceTypePrsmBle);
        // Not found before it was plugged in; found within a few looks after.
        QVERIFY2(pauses >= 2 && pauses <= 6, qPrintable(QString::number(pauses)));
    }

    void writeKeysReachesTheKeyboardWhichIsThenUnplugged() {
        testkit::MainWindowHarness harness(kDeviceTypePrsmBle);
        QCOMPARE(harness.config.deviceType, kDeviceTypePrsmBle);
        harness.watchDevices = true;
        QVERIFY(harness.open());
        auto* watcher = harness.window->findChild<DeviceWatcher*>();
        QVERIFY(watcher != nullptr);
        QVERIFY2(watcher->usesMonitor(), "no libudev monitor");
        QVERIFY2(!watcher->polls(), "the window polls instead of listening");

        // The window holds the keyboard: the tool is refused, as a second program is.
        QProcess tool;
        tool.start(rig::ProgramBeside(QStringLiteral("z9rtctl")), {QStringLiteral("info")});
        QVERIFY(tool.waitForFinished(5000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(QString::fromUtf8(tool.readAllStandardError())
                    .contains(QStringLiteral("does not answer")));

        const QString before = rig::TellKeyboard(QStringLiteral("dump"));
        // The keyboard's keys were never read in this run: the write asks first.
        harness.dialogs.choices = {COrvoDlg::kWriteAnyway};
        harness.click(mainwin::kIdWriteKeys);
        QTRY_COMPARE_WITH_TIMEOUT(harness.dialogs.messageTexts(),
                                  QStringList{QStringLiteral("OK!!")}, 15000);
        const QString after = rig::TellKeyboard(QStringLiteral("dump"));
        const int seen = ReportsIn(after) - ReportsIn(before);
        QCOMPARE(seen, 248);  // start, a record per key and layer, end
        QVERIFY2(!after.contains(QStringLiteral("\nproblem ")), qPrintable(after));
        // Key 46 ("A") keeps its default, code 43, on the layer without Fn.
        QVERIFY(after.contains(QStringLiteral("\nkey 1 46 kind 0 codes 43 ")));

        harness.dialogs.messages.clear();
        QCOMPARE(rig::TellKeyboard(QStringLiteral("unplug")), QStringLiteral("ok"));
        // In the windows' language, Chinese at the first start.
        QTRY_COMPARE_WITH_TIMEOUT(harness.dialogs.messageTexts(),
                                  QStringList{QStringLiteral("键盘未连接")}, 3000);
        QVERIFY(!harness.window->isVisible());
        QCOMPARE(rig::TellKeyboard(QStringLiteral("plug")), QStringLiteral("ok"));
    }

private:
    static int ReportsIn(const QString& dump) {
        for (const QString& line : dump.split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("reports "))) {
                return line.mid(8).toInt();
            }
        }
        return -1;
    }
};

QTEST_MAIN(MainWindowScenario)
#include "MainWindowScenario.moc"

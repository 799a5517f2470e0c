// Key capture on a real kernel: keys typed on the gadget keyboard reach the key settings dialog
// through the evdev grab and no other reader of the keyboard while it records, reach the other
// readers again afterwards, and a grab another program holds leaves the capture to the window,
// with its note. The keyboard's event device comes in Z9RT_RIG_INPUT.
#include "KeyCapture.h"
#include "KeySettingsHarness.h"
#include "OrvoHWI.h"
#include "RigControl.h"
#include "SingleComboPage.h"

#include <QProcess>
#include <QTest>
#include <linux/input-event-codes.h>

namespace {

constexpr int kVkB = 'B';

// A rig program that prints `ready` once it has the keyboard's event device.
class InputProgram {
public:
    InputProgram(const QString& mode, const QString& ready) {
        process_.start(rig::ProgramBeside(QStringLiteral("z9rt-rig-keyboard")),
                       {mode, qEnvironmentVariable("Z9RT_RIG_INPUT")});
        while (!output_.contains(ready) && process_.waitForReadyRead(5000)) {
            output_ += QString::fromUtf8(process_.readAllStandardOutput());
        }
    }
    ~InputProgram() {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    InputProgram(const InputProgram&) = delete;
    InputProgram& operator=(const InputProgram&) = delete;

    // What it printed so far.
    QString output() {
        process_.waitForReadyRead(100);
        output_ += QString::fromUtf8(process_.readAllStandardOutput());
        return output_;
    }

private:
    QProcess process_;
    QString output_;
};

QString KeyDown(int linuxCode) {
    return QStringLiteral("key %1 1").arg(linuxCode);
}

}  // namespace

class KeyCaptureScenario : public QObject {
    Q_OBJECT

private slots:
    void keysAreCapturedThroughTheGrabAndNoOneElseSeesThem() {
        InputProgram reader(QStringLiteral("watch-input"), QStringLiteral("watching"));
        QVERIFY2(reader.output().contains(QStringLiteral("watching")), "no reader");
        testkit::KeySettingsHarness h;
        h.open(46, 0);
        h.click(keysettings::kIdCaptureSingle);
        QVERIFY(h.dialog->capture().active());
        QVERIFY2(!h.dialog->capture().inWindowOnly(), "the capture fell back to the window");
        QVERIFY(IsHookInstalled());

        QCOMPARE(rig::TellKeyboard(QStringLiteral("type b")), QStringLiteral("ok"));
        QTRY_COMPARE_WITH_TIMEOUT(h.dialog->singleComboPage().singleKeyCode(), kVkB, 3000);
        QVERIFY2(!reader.output().contains(KeyDown(KEY_B)), qPrintable(reader.output()));

        h.click(keysettings::kIdCaptureSingle);  // stop
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(!IsHookInstalled());
        QCOMPARE(rig::TellKeyboard(QStringLiteral("type c")), QStringLiteral("ok"));
        QTRY_VERIFY_WITH_TIMEOUT(reader.output().contains(KeyDown(KEY_C)), 3000);
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), kVkB);  // C went elsewhere
    }

    void aGrabHeldElsewhereLeavesTheCaptureToTheWindow() {
        InputProgram holder(QStringLiteral("hold-grab"), QStringLiteral("grabbed"));
        QVERIFY2(holder.output().contains(QStringLiteral("grabbed")), "no grab held");
        testkit::KeySettingsHarness h;
        h.open(46, 0);
        h.click(keysettings::kIdCaptureSingle);
        QVERIFY(h.dialog->capture().active());
        QVERIFY(h.dialog->capture().inWindowOnly());
        QVERIFY(!IsHookInstalled());
        QCOMPARE(h.dialogs.messageTexts()
                     .filter(QStringLiteral("keys are captured only while the Key Settings "
                                            "window has the focus"))
                     .size(),
                 1);
        h.click(keysettings::kIdCaptureSingle);
    }
};

QTEST_MAIN(KeyCaptureScenario)
#include "KeyCaptureScenario.moc"

// The key settings dialog from the main window to the keyboard and the profile: a key clicked
// in the main window, a key or combination chosen in the dialog, "OK", then WriteKeys (the
// report trace holds the key's record) or Save (the profile holds the new combination).
#include "COrvoDialogKeyMapSettings.h"
#include "KeySettingsLayout.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "OrvoDialogVirtual.h"
#include "SingleComboPage.h"
#include "VirtualKeyboardLayout.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <linux/input-event-codes.h>

#include <functional>

using testkit::MainWindowHarness;

namespace {

constexpr int kKeyA = 46;
constexpr int kHwLeftCtrl = 67;
constexpr int kHwLeftAlt = 69;
constexpr int kHwDelete = 84;

QPoint CentreOf(const skin::SkinItem& item) {
    return QPoint((item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2);
}

// A click in a skinned window, handled once the window's click waits are over.
void ClickIn(skin::SkinnedDialog& window, int id, const char* waitTimer = nullptr) {
    QTest::mouseClick(&window, Qt::LeftButton, {}, CentreOf(*window.findItem(id)));
    auto* key = qobject_cast<COrvoDialogKeyMapSettings*>(&window);
    auto* wait =
        waitTimer != nullptr ? window.findChild<QTimer*>(QLatin1String(waitTimer)) : nullptr;
    QTRY_VERIFY((key == nullptr || !key->clickPending()) && (wait == nullptr || !wait->isActive()));
}

// Runs `act` on the next modal window of type T, once it is open (within two seconds).
template <typename T>
void WhenModalOpens(std::function<void(T&)> act) {
    auto* watch = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(watch, &QTimer::timeout, [watch, ticks, act] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            watch->deleteLater();
            watch->stop();
            act(*window);
        } else if (++*ticks > 200) {
            watch->deleteLater();
            watch->stop();
        }
    });
    watch->start(10);
}

QStringList KeyRecords(const QString& trace, int layer, int key) {
    QFile file(trace);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString lines = QString::fromLatin1(file.readAll());
    const QString prefix = QStringLiteral("> 00 f0 %1 %2 ")
                               .arg(layer, 2, 16, QLatin1Char('0'))
                               .arg(key, 2, 16, QLatin1Char('0'));
    return lines.split('\n').filter(QRegularExpression(QStringLiteral("^") + prefix));
}

QString Hex(int value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0'));
}

}  // namespace

class KeySettingsEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    // Key 46 on the right Fn layer: a key captured from the keyboard (caught by the window, as
    // here without event devices), "OK", WriteKeys.
    void capturedSingleKeyReachesTheKeyboard() {
        QTemporaryDir dir;
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("Z9RT_HID_TRACE", trace.toLocal8Bit());
        MainWindowHarness harness;
        harness.window.reset();
        QVERIFY(harness.open());
        harness.click(mainwin::kIdLayerRightFn);
        harness.config.keysDirty = 0;
        bool opened = false;
        WhenModalOpens<COrvoDialogKeyMapSettings>([&](COrvoDialogKeyMapSettings& dialog) {
            opened = true;
            QCOMPARE(harness.config.selectedKey, kKeyA);
            QCOMPARE(harness.config.currentLayer, 1);
            dialog.ShowPage(0);
            ClickIn(dialog, keysettings::kIdCaptureSingle);
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, Qt::Key_B, Qt::NoModifier, KEY_B + 8, 0, 0);
                QApplication::sendEvent(&dialog, &event);
            }
            QTRY_COMPARE(dialog.singleComboPage().singleKeyCode(), int('B'));
            ClickIn(dialog, keysettings::kIdOk);
        });
        harness.click(mainwin::KeyItemId(kKeyA));
        QVERIFY(opened);
        QCOMPARE(harness.config.keysDirty, 1);
        const int hwB = harness.config.vkToHw['B'];
        QCOMPARE(harness.config.keyHWCode[kKeyA][1], hwB);
        QCOMPARE(harness.config.keyMode[kKeyA][1], int(KindSingle));

        harness.click(mainwin::kIdWriteKeys);
        QCOMPARE(harness.config.keysDirty, 0);
        QVERIFY(harness.config.device.__closeDev());
        qunsetenv("Z9RT_HID_TRACE");
        // Layer 2 in the keyboard's numbering; kind 0 (keys sent together), one key.
        const QStringList records = KeyRecords(trace, 2, kKeyA);
        QCOMPARE(records.size(), 1);
        QVERIFY2(
            records.front().startsWith(QStringLiteral("> 00 f0 02 2e 00 01 %1 00").arg(Hex(hwB))),
            qPrintable(records.front()));
    }

    // "Cancel" leaves the key and the dirty mark as they were.
    void cancelledDialogChangesNothing() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const int hwCode = harness.config.keyHWCode[kKeyA][0];
        bool opened = false;
        WhenModalOpens<COrvoDialogKeyMapSettings>([&](COrvoDialogKeyMapSettings& dialog) {
            opened = true;
            ClickIn(dialog, keysettings::kIdClear);
            ClickIn(dialog, keysettings::kIdCancel);
        });
        harness.click(mainwin::KeyItemId(kKeyA));
        QVERIFY(opened);
        QCOMPARE(harness.config.keysDirty, 0);
        QCOMPARE(harness.config.keyMode[kKeyA][0], int(KindSingle));
        QCOMPARE(harness.config.keyHWCode[kKeyA][0], hwCode);
    }

    // A new combination of three keys picked on the virtual keyboard: WriteKeys sends it, Save
    // keeps it in the profile's combination library.
    void pickedCombinationReachesTheKeyboardAndTheProfile() {
        QTemporaryDir dir;
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        const QString profile = dir.filePath(QStringLiteral("three.pro"));
        qputenv("Z9RT_HID_TRACE", trace.toLocal8Bit());
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(mainwin::kIdLanguage);  // English
        harness.click(mainwin::kIdLayerRightFn);
        harness.config.predefinedCombo.Clear();
        bool opened = false;
        WhenModalOpens<COrvoDialogKeyMapSettings>([&](COrvoDialogKeyMapSettings& dialog) {
            opened = true;
            dialog.ShowPage(0);
            ClickIn(dialog, keysettings::kIdComboSwitch);
            ClickIn(dialog, keysettings::kIdNewCombo);
            auto* editor = dialog.findChild<QLineEdit*>(QStringLiteral("inPlaceEdit"));
            QCOMPARE(editor->text(), QStringLiteral("New Combo 1"));
            editor->setText(QStringLiteral("Three keys"));
            QTest::keyClick(editor, Qt::Key_Return);
            WhenModalOpens<OrvoDialogVirtual>([&](OrvoDialogVirtual& keyboard) {
                for (int hwCode : {kHwLeftCtrl, kHwLeftAlt, kHwDelete}) {
                    ClickIn(keyboard, virtualkbd::KeyItemId(hwCode), "clickWait");
                }
                ClickIn(keyboard, virtualkbd::kIdOk, "clickWait");
            });
            ClickIn(dialog, keysettings::kIdVirtualCombo);
            QCOMPARE(dialog.singleComboPage().comboLine(), std::wstring(L"LCTRL + LALT + DEL"));
            ClickIn(dialog, keysettings::kIdOk);
        });
        harness.click(mainwin::KeyItemId(kKeyA));
        QVERIFY(opened);
        QCOMPARE(harness.config.keyMode[kKeyA][1], int(KindCombo));

        harness.click(mainwin::kIdWriteKeys);
        QVERIFY(harness.config.device.__closeDev());
        qunsetenv("Z9RT_HID_TRACE");
        const QStringList records = KeyRecords(trace, 2, kKeyA);
        QCOMPARE(records.size(), 1);
        QVERIFY2(
            records.front().startsWith(QStringLiteral("> 00 f0 02 2e 00 03 %1 %2 %3 00")
                                           .arg(Hex(kHwLeftCtrl), Hex(kHwLeftAlt), Hex(kHwDelete))),
            qPrintable(records.front()));

        harness.dialogs.savePaths = {profile};
        harness.click(mainwin::kIdSave);
        QFile file(profile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text =
            QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QString library = text.section(QStringLiteral("<PredefinedCombo>\n"), 1)
                                    .section(QStringLiteral("</PredefinedCombo>"), 0, 0);
        const QString list = QStringLiteral(
            "<List SizeOfView=\"6\" ViewStartAt=\"0\" CursorPos=\"%1\" Cycles=\"1\" "
            "IsAutoInterval=\"0\" Delay=\"30\" PlayMode=\"0\"");
        const QString item = QStringLiteral("<x ID=\"%1\" t1=\"%2\">\n") + list.arg(0) +
                             QStringLiteral("/>\n</x>\n");
        QCOMPARE(library, list.arg(0) + QStringLiteral(">\n<x ID=\"0\" t1=\"Three keys\">\n") +
                              list.arg(2) + QStringLiteral(">\n") +
                              item.arg(0).arg(QStringLiteral("LCTRL")) +
                              item.arg(1).arg(QStringLiteral("LALT")) +
                              item.arg(2).arg(QStringLiteral("DEL")) +
                              QStringLiteral("</List>\n</x>\n</List>\n"));
    }
};

QTEST_MAIN(KeySettingsEndToEndTest)
#include "KeySettingsEndToEndTest.moc"

// The key settings dialog from the main window to the keyboard and the profile: a key clicked
// in the main window, a key or combination chosen in the dialog, "OK", then WriteKeys (the
// report trace holds the key's record) or Save (the profile holds the new combination).
#include "COrvoDialogKeyMapSettings.h"
#include "EmulationPage.h"
#include "KeySettingsLayout.h"
#include "MacroPage.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "OrvoDialogVirtual.h"
#include "SingleComboPage.h"
#include "VirtualKeyboardLayout.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <linux/input-event-codes.h>

#include <functional>
#include <initializer_list>
#include <map>

using model::CItemList;
using model::CKeyboardConfig;
using model::KindCombo;
using model::KindEmulation;
using model::KindMacro;
using model::KindSingle;

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

// A record as the trace shows it: the bytes in hex, the rest of the 64 zero.
QString Record(const std::vector<int>& bytes) {
    QStringList hex;
    for (std::size_t i = 0; i < 64; ++i) {
        hex << Hex(i < bytes.size() ? bytes[i] & 0xFF : 0);
    }
    return QStringLiteral("> ") + hex.join(QLatin1Char(' '));
}

// A key record's first five bytes for key `key` on layer 0 (the keyboard's layer 1).
std::vector<int> Header(int key, int kind) {
    return {0x00, 0xF0, 0x01, key, kind};
}

// What `z9rtctl show --json` prints for each key on the no-Fn layer: kind name and assignment.
std::map<int, QString> ShownAssignments(const QString& profile) {
    QProcess tool;
    tool.start(QStringLiteral(Z9RTCTL_PATH),
               {QStringLiteral("--json"), QStringLiteral("show"), profile});
    std::map<int, QString> shown;
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        return shown;
    }
    const QJsonArray keys = QJsonDocument::fromJson(tool.readAllStandardOutput())
                                .object()
                                .value(QStringLiteral("keys"))
                                .toArray();
    for (const QJsonValue key : keys) {
        const QJsonObject layer = key[QStringLiteral("layers")].toArray().first().toObject();
        shown[key[QStringLiteral("key")].toInt()] = layer[QStringLiteral("kindName")].toString() +
                                                    QStringLiteral(": ") +
                                                    layer[QStringLiteral("assignment")].toString();
    }
    return shown;
}

QString SaveProfile(MainWindowHarness& harness, const QString& path) {
    harness.dialogs.savePaths = {path};
    harness.click(mainwin::kIdSave);
    return path;
}

// Posts one keystroke to the dialog as the keyboard hook does.
void PostKey(COrvoDialogKeyMapSettings& dialog, int vk, bool released) {
    constexpr std::uintptr_t kReleasedBit = 0x80000000u;
    PostWindowMessage(dialog.messageHandle(), WM_HOOK_KEY,
                      static_cast<std::uintptr_t>(vk) | (released ? kReleasedBit : 0), 0);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Adds an entry to the page's library with the name proposed, as New and Enter do.
void NewEntry(COrvoDialogKeyMapSettings& dialog, int newId) {
    ClickIn(dialog, newId);
    auto* editor = dialog.findChild<QLineEdit*>(QStringLiteral("inPlaceEdit"));
    QTest::keyClick(editor, Qt::Key_Return);
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

        // The keyboard's keys were never read: read them first, keeping the edits, then write.
        harness.dialogs.choices = {COrvoDlg::kReadKeyboardFirst};
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

        // The keyboard's keys were never read: read them first, keeping the edits, then write.
        harness.dialogs.choices = {COrvoDlg::kReadKeyboardFirst};
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

    // A key of each kind pages 2 to 7 make: the key records WriteKeys sends for them, and the
    // assignments read back from the keyboard, saved and shown by z9rtctl.
    void everyPageReachesTheKeyboardAndTheProfile() {
        QTemporaryDir dir;
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("Z9RT_HID_TRACE", trace.toLocal8Bit());
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(mainwin::kIdLanguage);  // English
        const CKeyboardConfig& config = harness.config;
        // Key, page and what the dialog does on it.
        constexpr int kMacroKey = 46;      // A
        constexpr int kEmulationKey = 64;  // B
        const std::map<int, std::pair<int, int>> icons{
            {47, {keysettings::kPageMultimedia, 408}},  // Mute
            {48, {keysettings::kPageMouse, 511}},       // Left Double Click
            {49, {keysettings::kPageFunction, 607}},    // Game mode
            {50, {keysettings::kPagePower, 702}},       // Sleep
        };
        const auto edit = [&](int key, const std::function<void(COrvoDialogKeyMapSettings&)>& act) {
            bool opened = false;
            WhenModalOpens<COrvoDialogKeyMapSettings>([&](COrvoDialogKeyMapSettings& dialog) {
                opened = true;
                act(dialog);
                ClickIn(dialog, keysettings::kIdOk);
            });
            harness.click(mainwin::KeyItemId(key));
            QVERIFY(opened);
        };

        // A macro of seven keys pressed and released: 14 events and the delays between them.
        CItemList macro;
        edit(kMacroKey, [&](COrvoDialogKeyMapSettings& dialog) {
            ClickIn(dialog, keysettings::TabId(keysettings::kPageMacro));
            NewEntry(dialog, keysettings::kIdNewMacro);
            ClickIn(dialog, keysettings::kIdRecordMacro);
            for (int vk : std::initializer_list<int>{'Q', 'W', 'E', 'R', 'T', 'Y', 'U'}) {
                PostKey(dialog, vk, false);
                QTest::qWait(15);
                PostKey(dialog, vk, true);
                QTest::qWait(5);
            }
            ClickIn(dialog, keysettings::kIdFirstMacroContentRow);  // stops
            auto& page = static_cast<keysettings::MacroPage&>(dialog.page(keysettings::kPageMacro));
            macro = page.list().content();
        });
        QCOMPARE(macro.Count(), 28);  // 14 events, 13 delays, the final "<50 ms>"
        QCOMPARE(config.keyMode[kMacroKey][0], int(KindMacro));
        // An emulation of three keys.
        edit(kEmulationKey, [&](COrvoDialogKeyMapSettings& dialog) {
            ClickIn(dialog, keysettings::TabId(keysettings::kPageEmulation));
            NewEntry(dialog, keysettings::kIdNewEmu);
            ClickIn(dialog, keysettings::kIdRecordEmu);
            for (int vk : std::initializer_list<int>{'Z', 'X', 'C'}) {
                PostKey(dialog, vk, false);
                PostKey(dialog, vk, true);
            }
            ClickIn(dialog, keysettings::kIdFirstEmuContentRow);  // stops
        });
        QCOMPARE(config.keyMode[kEmulationKey][0], int(KindEmulation));
        // One icon of each icon page.
        for (const auto& [key, choice] : icons) {
            const int page = choice.first;
            const int icon = choice.second;
            edit(key, [page, icon](COrvoDialogKeyMapSettings& dialog) {
                ClickIn(dialog, keysettings::TabId(page));
                ClickIn(dialog, icon);
            });
        }
        const QString made = SaveProfile(harness, dir.filePath(QStringLiteral("made.pro")));

        // The keyboard's keys were never read: read them first, keeping the edits, then write.
        harness.dialogs.choices = {COrvoDlg::kReadKeyboardFirst};
        harness.click(mainwin::kIdWriteKeys);
        QCOMPARE(harness.config.keysDirty, 0);

        // The records the device library makes of them.
        std::vector<int> macroHead = Header(kMacroKey, 2);
        macroHead.insert(macroHead.end(), {1, 1, 0, 0, 0, 56});  // cycles, delays, interval, B
        std::vector<int> body;
        for (int event = 0; event < 14; ++event) {
            const std::size_t at = static_cast<std::size_t>(2 * event);
            // The delay after an event; the last event's is 0 (the final delay stays behind).
            const int delay = event < 13 ? config.HWCodeOfName(macro.Items()[at + 1]) : 0;
            body.insert(body.end(),
                        {config.HWCodeOfName(macro.Items()[at]), 0xC8, delay >> 8, delay & 0xFF});
        }
        std::vector<int> first = macroHead;
        first.insert(first.end(), body.begin(), body.begin() + 53);
        std::vector<int> second = macroHead;
        second.insert(second.end(), body.begin() + 53, body.end());
        QCOMPARE(KeyRecords(trace, 1, kMacroKey), (QStringList{Record(first), Record(second)}));
        std::vector<int> emulation = Header(kEmulationKey, 1);
        emulation.insert(emulation.end(),
                         {0, 30, 3, config.vkToHw['Z'], config.vkToHw['X'], config.vkToHw['C']});
        QCOMPARE(KeyRecords(trace, 1, kEmulationKey), QStringList{Record(emulation)});
        const std::map<int, std::vector<int>> iconCodes{
            {47, {1, 112}}, {48, {2, 130, 130}}, {49, {1, 171}}, {50, {1, 76}}};
        for (const auto& [key, codes] : iconCodes) {
            std::vector<int> record = Header(key, 0);
            record.insert(record.end(), codes.begin(), codes.end());
            QCOMPARE(KeyRecords(trace, 1, key), QStringList{Record(record)});
        }

        // Read back from the keyboard, saved, shown: the same assignments. The keyboard keeps
        // no delay after a macro's last event, so the final "<50 ms>" does not come back.
        harness.config.ResetToDefaults();
        harness.click(mainwin::kIdReadAll);
        QVERIFY(harness.config.device.__closeDev());
        qunsetenv("Z9RT_HID_TRACE");
        const QString readBack = SaveProfile(harness, dir.filePath(QStringLiteral("read.pro")));
        std::map<int, QString> expected = ShownAssignments(made);
        std::map<int, QString> shown = ShownAssignments(readBack);
        QCOMPARE(expected[kMacroKey].right(3), QStringLiteral(",50"));
        expected[kMacroKey].chop(3);
        for (int key : {kMacroKey, kEmulationKey, 47, 48, 49, 50}) {
            QCOMPARE(shown[key], expected[key]);
        }
        QVERIFY(shown[kMacroKey].startsWith(QStringLiteral("Macro: Q,")));
        QCOMPARE(shown[kEmulationKey], QStringLiteral("Emulation: Z | X | C"));
        QCOMPARE(shown[47], QStringLiteral("Multimedia: Mute"));
    }
};

QTEST_MAIN(KeySettingsEndToEndTest)
#include "KeySettingsEndToEndTest.moc"

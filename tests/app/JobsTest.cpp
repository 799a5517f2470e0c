// The transfer jobs end to end on the simulated keyboard, started from the main window's
// buttons, and the progress dialog's own rules.
#include "COrvoDialogProgress.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "ProfileFiles.h"
#include "ProgressLayout.h"
#include "SimulatedKeyboard.h"
#include "Trace.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <mutex>
#include <vector>

using model::CItemList;
using model::CKeyboardConfig;
using model::JobPauses;
using model::KindCombo;
using model::KindSingle;
using model::RGBColor;
using model::TransferJob;
using model::TransferJobKind;

using testkit::MainWindowHarness;
using testkit::TraceLines;
using namespace mainwin;

namespace {

constexpr int kKeyA = 46;
const QString kFailedEnglish =
    QStringLiteral("Failed!! The keyboard did not answer: check that it is connected.");
const QString kFailedChinese = QStringLiteral("读写键盘失败，请检查键盘是否连接！");

void MakeCombo(CKeyboardConfig& config, int key, int layer) {
    config.keyMode[static_cast<std::size_t>(key)][static_cast<std::size_t>(layer)] = KindCombo;
    CItemList& list =
        config.keyList[static_cast<std::size_t>(key)][static_cast<std::size_t>(layer)];
    list.Clear();
    list.SetOrAppend(20000, L"LCTRL");
    list.SetOrAppend(20000, L"A");
}

QPoint Centre(const skin::DesignRect& rect) {
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// Clicks the progress dialog's cancel button as soon as the dialog is up.
void CancelSoon(int delayMs) {
    QTimer::singleShot(delayMs, [] {
        auto* dialog = qobject_cast<COrvoDialogProgress*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            QTest::mouseClick(dialog, Qt::LeftButton, {},
                              Centre(dialog->findItem(progress::kIdCancel)->rect));
        }
    });
}

// Key 1 on the layer without Fn as a combo of LCTRL (67) and A (43), as the keyboard keeps it.
z9rt::sim::KeyRecordBytes ComboRecordForKey1() {
    z9rt::sim::KeyRecordBytes record{};
    const std::array<std::uint8_t, 8> bytes{0x00, 0xf0, 0x01, 0x01, 0x00, 0x02, 0x43, 0x2b};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

// The pauses a job takes, recorded instead of slept (the worker takes them on its thread).
class PauseLog {
public:
    JobPauses pauses() {
        JobPauses pauses{std::chrono::milliseconds(1000), std::chrono::milliseconds(2000)};
        pauses.take = [this](std::chrono::milliseconds duration) {
            const std::lock_guard<std::mutex> lock(mutex_);
            taken_.push_back(static_cast<int>(duration.count()));
        };
        return pauses;
    }
    std::vector<int> taken() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return taken_;
    }

private:
    std::mutex mutex_;
    std::vector<int> taken_;
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<int>)

class JobsTest : public QObject {
    Q_OBJECT

private slots:
    void writeKeysSendsTheConfiguration() {
        QTemporaryDir dir;
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("Z9RT_HID_TRACE", trace.toLocal8Bit());
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 0);
        harness.config.keysDirty = 1;
        // Nothing was read from the keyboard: the write asks first.
        harness.dialogs.choices = {COrvoDlg::kWriteAnyway};
        harness.click(kIdWriteKeys);
        qunsetenv("Z9RT_HID_TRACE");
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{1});

        QCOMPARE(harness.dialogs.messageTexts(), QStringList{QStringLiteral("OK!!")});
        QCOMPARE(harness.dialogs.messages.front().caption, QStringLiteral("Z9RT(PRSM)Ble"));
        QVERIFY(harness.dialogs.messages.front().icon == skin::MessageIcon::Exclamation);
        QCOMPARE(harness.config.keysDirty, 0);

        // Start request, a record per slot, end marker (the trace is complete once the
        // keyboard is closed).
        QVERIFY(harness.config.device.__closeDev());
        const QStringList lines = TraceLines(trace).filter(QRegularExpression("^> "));
        const int start = static_cast<int>(lines.indexOf(QRegularExpression("> 00 f1 00.*")));
        QVERIFY(start >= 0);
        QVERIFY(lines.last().startsWith(QStringLiteral("> 00 f6 f6 f6")));
        QCOMPARE(lines.mid(start).filter(QRegularExpression("^> 00 f0")).size(), 246);
        // Key 46 on layer 1 (the keyboard's numbering) holds LCTRL (67) and A (43).
        const QStringList keyA = lines.filter(QRegularExpression("^> 00 f0 01 2e "));
        QCOMPARE(keyA.size(), 1);
        QVERIFY(keyA.front().contains(QStringLiteral(" 43 ")));
        QVERIFY(keyA.front().contains(QStringLiteral(" 2b ")));
    }

    void readAllBringsBackWhatTheKeyboardHolds() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 0);
        harness.dialogs.choices = {COrvoDlg::kWriteAnyway};
        harness.click(kIdWriteKeys);
        z9rt::sim::SetSimulatedLight(5, 10, 20, 30);
        harness.click(kIdDefault);
        QCOMPARE(harness.config.keyMode[kKeyA][0], static_cast<int>(KindSingle));
        harness.dialogs.messages.clear();

        harness.click(kIdReadAll);
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{QStringLiteral("OK!!")});
        QCOMPARE(harness.config.keyMode[kKeyA][0], static_cast<int>(KindCombo));
        QCOMPARE(harness.config.keyList[kKeyA][0].Items(),
                 (std::vector<std::wstring>{L"LCTRL", L"A"}));
        QCOMPARE(harness.config.lightColor[5], (RGBColor{10, 20, 30}));
    }

    void readCounterSetsTheHighestAndLowestKeys() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        for (int key = 1; key <= 82; ++key) {
            z9rt::sim::SetSimulatedCounter(key, 0);
        }
        z9rt::sim::SetSimulatedCounter(30, 500);
        z9rt::sim::SetSimulatedCounter(12, 3);
        z9rt::sim::SetSimulatedCounter(40, 7);
        harness.click(kIdReadCounters);
        QCOMPARE(harness.config.highestKey, 30);
        QCOMPARE(harness.config.lowestKey, 12);
        QVERIFY(harness.dialogs.messages.empty());
        harness.hover(KeyItemId(40));
        harness.face();
        QVERIFY(QString::fromStdWString(harness.window->displayText())
                    .startsWith(QStringLiteral("Z9RT(PRSM)Ble 编程软件 [版本 1.2.2]\r\n\r\n"
                                               "高频键：Tab  低频键：F11 \r\n敲击次数：7\r\n")));
    }

    // The keyboard going away in the middle of a write is told once, in the language of the
    // windows, with an offer to keep what it never got; a cancelled save asks again.
    void unpluggingDuringAWriteOffersToSaveTheChanges() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdLanguage);
        MakeCombo(harness.config, kKeyA, 0);
        harness.config.keysDirty = 1;
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=20"));
        harness.dialogs.choices = {COrvoDlg::kWriteAnyway, COrvoDlg::kSaveBeforeQuitting,
                                   COrvoDlg::kSaveBeforeQuitting};
        harness.dialogs.savePaths = {QString(), path};
        harness.click(kIdWriteKeys);
        QVERIFY(harness.dialogs.messages.empty());
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{3});
        const skin::Question& unplugged = harness.dialogs.questions[1];
        QVERIFY2(unplugged.text.startsWith(QStringLiteral("Keyboard is not connected\n\n")),
                 qPrintable(unplugged.text));
        QCOMPARE(unplugged.buttons,
                 (QStringList{QStringLiteral("Save"), QStringLiteral("Quit without saving")}));
        QCOMPARE(unplugged.escapeButton, -1);  // only the user may choose to lose them
        QCOMPARE(harness.dialogs.questions[2].text, unplugged.text);
        QVERIFY(!harness.window->isVisible());
        CKeyboardConfig saved;
        saved.BuildCodeTables();
        QString keptNote;
        QVERIFY(!LoadProfileFile(saved, path, keptNote));
        QVERIFY(keptNote.isEmpty());
        QCOMPARE(saved.keyMode[kKeyA][0], static_cast<int>(KindCombo));
    }

    void aSilentKeyboardFailsTheReadAndChangesNothing() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 1);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        harness.click(kIdReadAll);
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{kFailedChinese});
        QCOMPARE(harness.config.keyMode[kKeyA][1], static_cast<int>(KindCombo));
        QCOMPARE(harness.config.keyList[kKeyA][1].Count(), 2);
    }

    void aFailedCounterReadSaysSoInTheUiLanguageAndKeepsTheCounts() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        z9rt::sim::SetSimulatedCounter(30, 500);
        harness.click(kIdReadCounters);
        QVERIFY(harness.dialogs.messages.empty());
        const auto counts = harness.config.pressCounter;
        const int highest = harness.config.highestKey;
        const int lowest = harness.config.lowestKey;
        z9rt::sim::SetSimulatedCounter(30, 1);
        z9rt::sim::SetSimulatedCounter(31, 900);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        harness.click(kIdReadCounters);
        harness.click(kIdLanguage);
        harness.click(kIdReadCounters);
        QCOMPARE(harness.dialogs.messageTexts(), (QStringList{kFailedChinese, kFailedEnglish}));
        QVERIFY(harness.config.pressCounter == counts);
        QCOMPARE(harness.config.highestKey, highest);
        QCOMPARE(harness.config.lowestKey, lowest);
    }

    // The program opens on the model's defaults, not on what the keyboard holds: the first
    // write of a run that neither read the keyboard nor opened a profile asks before it puts
    // them over keys the user has not seen.
    void theFirstWriteAsksBeforeOverwritingUnseenKeys_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("keyboardsKeyKept");
        QTest::newRow("read keyboard first") << int(COrvoDlg::kReadKeyboardFirst) << true << true;
        QTest::newRow("write anyway") << int(COrvoDlg::kWriteAnyway) << true << false;
        QTest::newRow("cancel") << int(COrvoDlg::kCancelWrite) << false << true;
    }

    void theFirstWriteAsksBeforeOverwritingUnseenKeys() {
        QFETCH(int, choice);
        QFETCH(bool, written);
        QFETCH(bool, keyboardsKeyKept);
        MainWindowHarness harness;
        // An earlier run left a combination on key 1 and a colour on key 6.
        z9rt::sim::SetSimulatedKeyRecords(0, 1, {ComboRecordForKey1()});
        z9rt::sim::SetSimulatedLight(6, 10, 20, 30);
        QVERIFY(harness.open());
        // This run changes key A and the colour of key 5.
        MakeCombo(harness.config, kKeyA, 0);
        harness.config.lightColor[5] = {1, 2, 3};
        harness.config.keysDirty = 1;
        harness.dialogs.choices = {choice};
        harness.click(kIdWriteKeys);
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{1});
        QCOMPARE(harness.dialogs.questions[0].defaultButton, int(COrvoDlg::kReadKeyboardFirst));
        QCOMPARE(harness.dialogs.questions[0].escapeButton, int(COrvoDlg::kCancelWrite));
        QCOMPARE(harness.config.keysDirty, written ? 0 : 1);

        CKeyboardConfig keyboard;
        keyboard.BuildCodeTables();
        keyboard.deviceType = harness.config.deviceType;
        keyboard.ResetToDefaults();
        QVERIFY(keyboard.device.__createDev());
        TransferJob read(TransferJobKind::ReadAll, keyboard);
        QVERIFY(read.run({}, JobPauses(std::chrono::milliseconds(0), {})));
        QVERIFY(read.apply(keyboard));
        QCOMPARE(keyboard.keyMode[1][0] == KindCombo, keyboardsKeyKept);
        QCOMPARE(keyboard.keyMode[kKeyA][0] == KindCombo, written);
        if (choice == COrvoDlg::kReadKeyboardFirst) {
            // The window shows what the keyboard holds now: its keys and colours, with the
            // changes of this run.
            QCOMPARE(harness.config.keyMode[1][0], static_cast<int>(KindCombo));
            QCOMPARE(harness.config.keyMode[kKeyA][0], static_cast<int>(KindCombo));
            QCOMPARE(harness.config.lightColor[6], (RGBColor{10, 20, 30}));
            QCOMPARE(harness.config.lightColor[5], (RGBColor{1, 2, 3}));
        }
        // Once the keyboard holds what the window shows, writing asks nothing.
        harness.dialogs.choices.clear();
        harness.click(kIdWriteKeys);
        QCOMPARE(harness.dialogs.questions.size(), written ? std::size_t{1} : std::size_t{2});
    }

    void aReadOrAnOpenedProfileMakesTheKeysKnown_data() {
        QTest::addColumn<bool>("fromProfile");
        QTest::newRow("read all") << false;
        QTest::newRow("profile opened") << true;
    }

    void aReadOrAnOpenedProfileMakesTheKeysKnown() {
        QFETCH(bool, fromProfile);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keys.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        QVERIFY(!SaveProfileFile(harness.config, path));
        harness.dialogs.openPaths = {path};
        harness.click(fromProfile ? kIdOpen : kIdReadAll);
        QVERIFY(harness.window->keyboardKeysKnown());
        QTRY_COMPARE(harness.config.clickGuard, 0);
        harness.click(kIdWriteKeys);
        QVERIFY(harness.dialogs.questions.empty());
        QCOMPARE(harness.dialogs.messageTexts().last(), QStringLiteral("OK!!"));
    }

    void aReadAllThatFailsHalfWayChangesNothing() {
        MainWindowHarness harness;
        z9rt::sim::SetSimulatedKeyRecords(0, 1, {ComboRecordForKey1()});
        z9rt::sim::SetSimulatedLight(5, 10, 20, 30);
        // The version query and the key read get through; the keyboard is gone before the
        // colours are read.
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=3"));
        QVERIFY(harness.open());
        harness.click(kIdReadAll);
        // The keyboard is gone: that is what the user is told, once.
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{QStringLiteral("键盘未连接")});
        QCOMPARE(harness.config.keyMode[1][0], static_cast<int>(KindSingle));
        QCOMPARE(harness.config.keyHWCode[1][0], 1);  // Esc, as before the read
        QCOMPARE(harness.config.lightColor[5], (RGBColor{0, 0, 0}));
    }

    void aFailedStepEndsTheJobWithoutItsPauses_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<std::vector<int>>("pauses");
        QTest::newRow("read all") << static_cast<int>(TransferJobKind::ReadAll) << QString() << true
                                  << std::vector<int>{2000};
        QTest::newRow("read all, key read fails")
            << static_cast<int>(TransferJobKind::ReadAll) << QStringLiteral("silent") << false
            << std::vector<int>{};
        QTest::newRow("write keys") << static_cast<int>(TransferJobKind::WriteKeys) << QString()
                                    << true << std::vector<int>{1000};
        QTest::newRow("write keys, keyboard gone")
            << static_cast<int>(TransferJobKind::WriteKeys) << QStringLiteral("unplug-after=0")
            << false << std::vector<int>{};
        QTest::newRow("write colours") << static_cast<int>(TransferJobKind::WriteLights)
                                       << QString() << true << std::vector<int>{1000};
        QTest::newRow("read colours") << static_cast<int>(TransferJobKind::ReadLights) << QString()
                                      << true << std::vector<int>{1000};
        QTest::newRow("read colours, keyboard silent")
            << static_cast<int>(TransferJobKind::ReadLights) << QStringLiteral("silent") << false
            << std::vector<int>{};
    }

    void aFailedStepEndsTheJobWithoutItsPauses() {
        QFETCH(int, job);
        QFETCH(QString, fault);
        QFETCH(bool, succeeds);
        QFETCH(std::vector<int>, pauses);
        MainWindowHarness harness;
        QVERIFY(harness.open());
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults(fault.toStdString()));
        PauseLog log;
        COrvoDialogProgress dialog(harness.resources, harness.config, harness.lane, log.pauses(),
                                   harness.window.get());
        dialog.job = static_cast<TransferJobKind>(job);
        QCOMPARE(dialog.exec(), skin::SkinnedDialog::kResultOk);
        QCOMPARE(dialog.transferSucceeded(), succeeds);
        QCOMPARE(log.taken(), pauses);
    }

    void progressFillsTheBarFromTheSelectedPicture() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        COrvoDialogProgress keys(harness.resources, harness.config, harness.lane,
                                 {std::chrono::milliseconds(0), std::chrono::milliseconds(0)},
                                 harness.window.get());
        keys.job = TransferJobKind::WriteKeys;
        QCOMPARE(keys.exec(), skin::SkinnedDialog::kResultOk);
        QVERIFY(keys.transferSucceeded());
        QCOMPARE(keys.progress(), 245 * 100 / 150);  // full from slot 150 on
        const QImage selected = testkit::ArtworkImage(progress::kImageSelected);
        const QImage face = keys.composeFace();
        const QPoint barEnd(progress::kBarRect.right - 8, progress::kBarRect.top + 11);
        QCOMPARE(face.pixelColor(barEnd), selected.pixelColor(barEnd));
        QVERIFY(face.pixelColor(barEnd) !=
                testkit::ArtworkImage(progress::kImageBackground).pixelColor(barEnd));

        COrvoDialogProgress counters(harness.resources, harness.config, harness.lane,
                                     {std::chrono::milliseconds(0), std::chrono::milliseconds(0)},
                                     harness.window.get());
        counters.job = TransferJobKind::ReadCounters;
        QCOMPARE(counters.exec(), skin::SkinnedDialog::kResultOk);
        QCOMPARE(counters.progress(), 200);
    }

    void anUnknownJobClosesAtOnce() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        COrvoDialogProgress dialog(harness.resources, harness.config, harness.lane, {},
                                   harness.window.get());
        dialog.job = static_cast<TransferJobKind>(7);
        QCOMPARE(dialog.exec(), skin::SkinnedDialog::kResultCancel);
        QVERIFY(!harness.lane.busy());
        QVERIFY(z9rt::sim::ReadSimulatedKeyboard().reportsSeen <= 1);  // the version query
    }

    void cancelLeavesTheModelAndTheNextJobWaits() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        for (int key = 1; key <= 82; ++key) {
            z9rt::sim::SetSimulatedCounter(key, 5);
        }
        // The counter job's worker sits in its pause after the read when the user cancels.
        const JobPauses slow{std::chrono::milliseconds(400), std::chrono::milliseconds(0)};
        COrvoDialogProgress first(harness.resources, harness.config, harness.lane, slow,
                                  harness.window.get());
        first.job = TransferJobKind::ReadCounters;
        CancelSoon(50);
        QCOMPARE(first.exec(), skin::SkinnedDialog::kResultCancel);
        QCOMPARE(first.progress(), 0);
        QVERIFY(harness.lane.busy());

        COrvoDialogProgress next(harness.resources, harness.config, harness.lane,
                                 {std::chrono::milliseconds(0), std::chrono::milliseconds(0)},
                                 harness.window.get());
        next.job = TransferJobKind::WriteLights;
        bool waited = false;
        QTimer::singleShot(20, [&] { waited = next.waitingForLane(); });
        QCOMPARE(next.exec(), skin::SkinnedDialog::kResultOk);
        QVERIFY(waited);
        QVERIFY(next.transferSucceeded());
        // The cancelled job's counters never reached the model.
        QCOMPARE(harness.config.highestKey, -1);
        QVERIFY(harness.config.pressCounter[1] < 0);
    }

    void enterDoesNotEndARunningJob() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const JobPauses slow{std::chrono::milliseconds(300), std::chrono::milliseconds(0)};
        COrvoDialogProgress dialog(harness.resources, harness.config, harness.lane, slow,
                                   harness.window.get());
        dialog.job = TransferJobKind::ReadLights;
        bool visibleAfterEnter = false;
        QTimer::singleShot(50, [&] {
            QTest::keyClick(&dialog, Qt::Key_Return);
            visibleAfterEnter = dialog.isVisible();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialog.exec(), skin::SkinnedDialog::kResultCancel);
        QVERIFY(visibleAfterEnter);
    }

    void aSilentKeyboardFailsTheLightRead() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        z9rt::sim::SetSimulatedLight(5, 10, 20, 30);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        COrvoDialogProgress dialog(harness.resources, harness.config, harness.lane,
                                   {std::chrono::milliseconds(0), std::chrono::milliseconds(0)},
                                   harness.window.get());
        dialog.job = TransferJobKind::ReadLights;
        QCOMPARE(dialog.exec(), skin::SkinnedDialog::kResultOk);
        QVERIFY(!dialog.transferSucceeded());
        QCOMPARE(harness.config.lightColor[5], (RGBColor{0, 0, 0}));
    }
};

QTEST_MAIN(JobsTest)
#include "JobsTest.moc"

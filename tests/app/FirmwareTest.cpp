// The firmware update window on the simulated keyboard: the model's file names, the file judged
// whole before any report, the download and its reports (the same as the command-line tool's),
// its outcomes in both languages, and a download that outlives the window.
#include "COrvoDialogFirmwareUpdate.h"
#include "DialogDriver.h"
#include "FirmwareKeyBackup.h"
#include "FirmwareLayout.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "MessageGate.h"
#include "SimulatedKeyboard.h"
#include "Trace.h"
#include "model/FirmwareFile.h"
#include "model/SessionHistory.h"
#include "profile/ProfileFile.h"

#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>
#include <sys/stat.h>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::JobPauses;
using model::kLanguageChinese;
using model::kLanguageEnglish;
using model::kLargestFirmwareFile;
using profile::LoadProfile;

using testkit::ClickElement;
using testkit::MainWindowHarness;

namespace {

const QString kDownloadedEnglish = QStringLiteral(
    "The Firmware is downloaded successfully.\r\nPlease keep the USB plug in until three "
    "indicator lights flash simultaneously.\r\nThen firmware updated completely,pleased unplug "
    "the USB and plug in.");
const QString kDownloadedChinese = QStringLiteral(
    "固件下载完成。\r\n请勿插拔USB直至三个状态指示灯同时闪烁则固件更新完成，请拔下USB重新上电。");
const QString kNoAnswerEnglish = QStringLiteral(
    "Firmware download failed.\r\nThe keyboard did not answer; no firmware was sent.");

// One Intel HEX record, with its checksum.
std::string Record(int address, int type, const std::vector<int>& data) {
    std::vector<int> bytes{static_cast<int>(data.size()), address >> 8, address & 0xFF, type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    int sum = 0;
    for (int byte : bytes) {
        sum += byte;
    }
    bytes.push_back(-sum & 0xFF);
    std::string line = ":";
    for (int byte : bytes) {
        line += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper().toStdString();
    }
    return line;
}

// A firmware file of `records` data records of 16 bytes and the end record, lines ended by LF
// (the download sends them ended by CR LF).
std::string FirmwareText(int records) {
    std::string text;
    for (int record = 0; record < records; ++record) {
        std::vector<int> data;
        for (int i = 0; i < 16; ++i) {
            data.push_back((record * 16 + i) * 7 & 0xFF);
        }
        text += Record(record * 16, 0, data) + "\n";
    }
    return text + Record(0, 1, {}) + "\n";
}

const QString kRestoreEnglish = QStringLiteral("Restore your keys and colours?");
const JobPauses kNoPauses{std::chrono::milliseconds(0), std::chrono::milliseconds(0)};

bool IsSuccess(const QString& text) {
    return text == kDownloadedEnglish || text == kDownloadedChinese;
}

// The main window on the simulated keyboard, and a firmware window over it, shown but not run
// modally, so the test clicks it directly. The keyboard's reports go to a trace.
struct Firmware {
    explicit Firmware(int model = kDeviceTypePrsmBle, const char* language = kLanguageEnglish)
        : harness(model) {
        // The keyboard is opened with the main window; its connection writes the trace.
        qputenv("Z9RT_HID_TRACE", TracePath().toLocal8Bit());
        harness.open();
        qunsetenv("Z9RT_HID_TRACE");
        harness.config.language = language;
    }

    QString TracePath() const { return dir.filePath(QStringLiteral("trace.txt")); }

    COrvoDialogFirmwareUpdate& open() {
        dialog = std::make_unique<COrvoDialogFirmwareUpdate>(
            harness.resources, harness.config, harness.dialogs, harness.lane, harness.window.get());
        dialog->initialize();
        dialog->show();
        return *dialog;
    }

    QString file(const QString& name, const std::string& content) const {
        const QString path = dir.filePath(name);
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(content.data(), static_cast<qint64>(content.size()));
        }
        return path;
    }

    // Picks a file with Open.
    void pick(const QString& path) {
        harness.dialogs.openPaths.push_back(path);
        ClickElement(*dialog, firmware::kIdOpen);
    }

    // Update, then waits for the download's outcome message.
    void updateAndWait() {
        const std::size_t shown = harness.dialogs.messages.size();
        ClickElement(*dialog, firmware::kIdUpdate);
        QTRY_VERIFY_WITH_TIMEOUT(harness.dialogs.messages.size() > shown, 10000);
    }

    QStringList sentSince(qsizetype mark) const {
        return testkit::SentReports(testkit::TraceLines(TracePath()).mid(mark));
    }
    qsizetype traceMark() const { return testkit::TraceLines(TracePath()).size(); }

    QTemporaryDir dir;
    MainWindowHarness harness;
    std::unique_ptr<COrvoDialogFirmwareUpdate> dialog;
};

}  // namespace

class FirmwareTest : public QObject {
    Q_OBJECT

private slots:
    void aSoundFileSendsWhatTheToolSends() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        QVERIFY(dialog.versionText().startsWith(QStringLiteral("Z9RT")));
        const QString path =
            fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.1.bin"), FirmwareText(40));
        const qsizetype mark = fixture.traceMark();
        fixture.pick(path);
        QCOMPARE(dialog.pathText(), path);
        fixture.updateAndWait();
        QCOMPARE(fixture.harness.dialogs.messageTexts(), QStringList{kDownloadedEnglish});
        QCOMPARE(dialog.progress(), 100);
        QVERIFY(dialog.ready());
        QCOMPARE(QString::fromStdWString(fixture.harness.config.firmwarePath), path);
        const QStringList window = testkit::TraceLines(fixture.TracePath()).mid(mark);
        QCOMPARE(window.size(), 2 + 41);  // the version query and its answer, then the lines

        const QString toolTrace = fixture.dir.filePath(QStringLiteral("tool-trace.txt"));
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("Z9RT_HID"), QStringLiteral("sim"));
        environment.insert(QStringLiteral("Z9RT_HID_TRACE"), toolTrace);
        environment.remove(QStringLiteral("Z9RT_SIM_STATE"));
        environment.remove(QStringLiteral("Z9RT_SIM_FAULT"));
        environment.remove(QStringLiteral("Z9RT_SIM_MODEL"));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(Z9RTCTL_PATH), {QStringLiteral("firmware"), path});
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(window, testkit::TraceLines(toolTrace));
    }

    void refusedFilesReachNoKeyboard() {
        struct Case {
            const char* name;
            const char* language;
            std::function<QString(Firmware&)> make;
            QString message;  // how the message starts
            QString detail;   // what it also says
            bool readyAfter;  // whether Update may be tried again without a new Open
        };
        std::string damaged = FirmwareText(3);
        damaged[damaged.find('\n') + 10] ^= 1;  // a digit of the second record
        const Case cases[] = {
            {"damaged, English", kLanguageEnglish,
             [&](Firmware& f) { return f.file(QStringLiteral("Z9RT(PRSM)BLe_bad.bin"), damaged); },
             QStringLiteral("The firmware file Z9RT(PRSM)BLe_bad.bin is damaged; nothing was "
                            "sent to the keyboard:\r\n"),
             QStringLiteral("Line 2: the checksum is wrong."), true},
            {"damaged, Chinese", kLanguageChinese,
             [&](Firmware& f) { return f.file(QStringLiteral("Z9RT(PRSM)BLe_bad.bin"), damaged); },
             QStringLiteral("固件文件 Z9RT(PRSM)BLe_bad.bin 有误，未向键盘发送任何数据：\r\n"),
             QStringLiteral("第 2 行的校验和错误。"), true},
            {"cut short", kLanguageEnglish,
             [](Firmware& f) {
                 return f.file(QStringLiteral("Z9RT(PRSM)BLe_cut.bin"),
                               FirmwareText(3).substr(0, 88));
             },
             QStringLiteral("The firmware file Z9RT(PRSM)BLe_cut.bin is damaged"),
             QStringLiteral("The file has no end-of-file record."), true},
            {"missing", kLanguageEnglish,
             [](Firmware& f) { return f.dir.filePath(QStringLiteral("Z9RT(PRSM)BLe_gone.bin")); },
             QStringLiteral("Can't open firmware file\r\n"),
             QStringLiteral("Z9RT(PRSM)BLe_gone.bin cannot be read ("), false},
            {"named pipe", kLanguageChinese,
             [](Firmware& f) {
                 const QString path = f.dir.filePath(QStringLiteral("Z9RT(PRSM)BLe_pipe.bin"));
                 static_cast<void>(::mkfifo(QFile::encodeName(path).constData(), 0600));
                 return path;
             },
             QStringLiteral("打开固件文件失败\r\n"),
             QStringLiteral("Z9RT(PRSM)BLe_pipe.bin 不是普通文件。"), false},
            {"too large", kLanguageEnglish,
             [](Firmware& f) {
                 const QString path = f.file(QStringLiteral("Z9RT(PRSM)BLe_big.bin"), "");
                 std::filesystem::resize_file(QFile::encodeName(path).toStdString(),
                                              kLargestFirmwareFile + 1);
                 return path;
             },
             QStringLiteral("Can't open firmware file\r\n"),
             QStringLiteral("is too large (4194305 bytes); a firmware file has at most 4194304 "
                            "bytes."),
             false},
        };
        for (const Case& c : cases) {
            Firmware fixture(kDeviceTypePrsmBle, c.language);
            COrvoDialogFirmwareUpdate& dialog = fixture.open();
            const qsizetype mark = fixture.traceMark();
            fixture.pick(c.make(fixture));
            ClickElement(dialog, firmware::kIdUpdate);
            const QStringList shown = fixture.harness.dialogs.messageTexts();
            QVERIFY2(shown.size() == 1, c.name);
            QVERIFY2(shown.front().startsWith(c.message), qPrintable(shown.front()));
            QVERIFY2(shown.front().contains(c.detail), qPrintable(shown.front()));
            QVERIFY2(fixture.sentSince(mark).isEmpty(), c.name);
            QVERIFY2(dialog.ready() == c.readyAfter, c.name);
            QVERIFY2(!dialog.downloading(), c.name);
        }
    }

    void afterAFileThatCannotBeOpenedUpdateWaitsForAnotherOpen() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        fixture.pick(fixture.dir.filePath(QStringLiteral("Z9RT(PRSM)BLe_gone.bin")));
        ClickElement(dialog, firmware::kIdUpdate);
        QCOMPARE(fixture.harness.dialogs.messages.size(), std::size_t{1});
        ClickElement(dialog, firmware::kIdUpdate);
        QCOMPARE(fixture.harness.dialogs.messages.size(), std::size_t{1});
        fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_ok.bin"), FirmwareText(2)));
        fixture.updateAndWait();
        QCOMPARE(fixture.harness.dialogs.messageTexts().last(), kDownloadedEnglish);
    }

    void onlyTheModelsFileNamesAreTaken() {
        struct Case {
            const char* language;
            const char* name;
            bool taken;
        };
        const Case cases[] = {
            {kLanguageEnglish, "Z9RT(S)_2.0.bin", true},
            {kLanguageEnglish, "z9rt(s)_2.0.bin", false},
            {kLanguageChinese, "xZ9RT(S)_2.0.bin", false},
            {kLanguageEnglish, "Z9RT(S)BLe_2.0.bin", false},
        };
        for (const Case& c : cases) {
            Firmware fixture(kDeviceTypeS, c.language);
            COrvoDialogFirmwareUpdate& dialog = fixture.open();
            const QString path = fixture.file(QString::fromLatin1(c.name), FirmwareText(2));
            const qsizetype mark = fixture.traceMark();
            fixture.pick(path);
            std::vector<testkit::ShownMessage>& messages = fixture.harness.dialogs.messages;
            if (c.taken) {
                QVERIFY(messages.empty());
                QCOMPARE(dialog.pathText(), path);
                continue;
            }
            QCOMPARE(messages.size(), std::size_t{1});
            QCOMPARE(messages[0].text, QString::fromLatin1(c.language) == kLanguageChinese
                                           ? QStringLiteral("固件不匹配，请选择Z9RT(S)")
                                           : QStringLiteral("The firmware does not match,please "
                                                            "select Z9RT(S)"));
            QCOMPARE(messages[0].caption, QStringLiteral("Z9RT(S)"));
            QVERIFY(messages[0].icon == skin::MessageIcon::Exclamation);
            QVERIFY(dialog.pathText().isEmpty());
            ClickElement(dialog, firmware::kIdUpdate);
            QCOMPARE(messages.size(), std::size_t{2});
            QCOMPARE(messages[1].text, QStringLiteral("The firmware does not match"));
            QCOMPARE(messages[1].caption, QStringLiteral("Z9RT(S)"));
            QVERIFY(fixture.sentSince(mark).isEmpty());
        }
    }

    void updateWithoutAFileDoesNotMatch() {
        Firmware fixture;
        ClickElement(fixture.open(), firmware::kIdUpdate);
        QCOMPARE(fixture.harness.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(fixture.harness.dialogs.messages[0].text,
                 QStringLiteral("The firmware does not match"));
        QCOMPARE(fixture.harness.dialogs.messages[0].caption, QStringLiteral("Z9RT(PRSM)BLe"));
    }

    void aSilentKeyboardGetsNoFirmwareAndNoSuccess() {
        Firmware fixture(kDeviceTypePrsmBle, kLanguageChinese);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        std::vector<testkit::ShownMessage>& messages = fixture.harness.dialogs.messages;
        QCOMPARE(fixture.harness.dialogs.messageTexts(),
                 QStringList{QStringLiteral("读取键盘版本失败")});
        fixture.harness.config.language = kLanguageEnglish;
        const qsizetype mark = fixture.traceMark();
        fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.bin"), FirmwareText(5)));

        // The keyboard keeps the download waiting for its answer a while: meanwhile a second
        // Update does nothing, the version is not asked for, and closing asks first.
        ClickElement(dialog, firmware::kIdUpdate);
        QVERIFY(dialog.downloading());
        ClickElement(dialog, firmware::kIdUpdate);
        QCOMPARE(messages.size(), std::size_t{1});
        ClickElement(dialog, firmware::kIdGetVersion);
        QCOMPARE(messages.size(), std::size_t{2});
        QVERIFY(
            messages[1].text.startsWith(QStringLiteral("The keyboard is busy with a transfer")));
        fixture.harness.dialogs.choices = {COrvoDialogFirmwareUpdate::kWaitForDownload};
        ClickElement(dialog, firmware::kIdClose);
        QCOMPARE(fixture.harness.dialogs.questions.size(), std::size_t{1});
        QCOMPARE(fixture.harness.dialogs.questions[0].buttons.size(), 2);
        QVERIFY(dialog.isVisible());

        QTRY_COMPARE_WITH_TIMEOUT(messages.size(), std::size_t{3}, 10000);
        QCOMPARE(messages[2].text, kNoAnswerEnglish);
        QVERIFY(dialog.ready());
        for (const QString& text : fixture.harness.dialogs.messageTexts()) {
            QVERIFY(!IsSuccess(text));
        }
        const QStringList sent = fixture.sentSince(mark);
        QCOMPARE(sent.size(), 1);
        QVERIFY(sent[0].startsWith(QStringLiteral("> 00 f9")));
    }

    void closingDuringADownloadLetsItFinishWithoutTheWindow() {
        Firmware fixture;
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.bin"), FirmwareText(5)));
        ClickElement(dialog, firmware::kIdUpdate);
        QVERIFY(dialog.downloading());
        fixture.harness.dialogs.choices = {COrvoDialogFirmwareUpdate::kCloseWithoutWaiting};
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 2);
        fixture.dialog.reset();
        // The worker ends on its own; what it posts finds no window.
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.harness.lane.busy(), 10000);
        QCoreApplication::processEvents();
        // The version failure at opening and the question: nothing after the window closed.
        QCOMPARE(fixture.harness.dialogs.messages.size(), std::size_t{1});
        QCOMPARE(fixture.harness.dialogs.questions.size(), std::size_t{1});
    }

    // The file is Intel HEX text: a file named ".hex" is offered (after ".bin"), and taken.
    void aHexFileIsOfferedAndTaken() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        const QString path = fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.2.hex"), FirmwareText(5));
        fixture.pick(path);
        QCOMPARE(skin::QtFilterFromPairs(fixture.harness.dialogs.openDialogs.at(0).filter),
                 QStringLiteral("bin(*.bin);;hex(*.hex);;All Files(*)"));
        QCOMPARE(dialog.pathText(), path);
        fixture.updateAndWait();
        QVERIFY(IsSuccess(fixture.harness.dialogs.messages.back().text));
    }

    // The version shows whole, in smaller letters where it is long.
    void theVersionShowsWhole() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        const auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("versionBox"));
        QVERIFY(box != nullptr);
        const int textWidth = QFontMetrics(box->font()).horizontalAdvance(box->text());
        QVERIFY2(textWidth <= box->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 in %2").arg(textWidth).arg(box->width())));
    }

    // The download ended while "Wait for the download?" was up: the question goes by itself,
    // the outcome is told, and the window stays, as after any download.
    void aDownloadEndingTakesBackTheWaitQuestion() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.bin"), FirmwareText(40)));
        ClickElement(dialog, firmware::kIdUpdate);
        QVERIFY(dialog.downloading());
        // While the question is up the download runs to its end.
        fixture.harness.dialogs.whileShowing = [&dialog] {
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.downloading(), 10000);
        };
        fixture.harness.dialogs.choices = {COrvoDialogFirmwareUpdate::kCloseWithoutWaiting};
        ClickElement(dialog, firmware::kIdClose);
        fixture.harness.dialogs.whileShowing = nullptr;
        QCOMPARE(fixture.harness.dialogs.withdrawn, 1);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.ready());
        QVERIFY(IsSuccess(fixture.harness.dialogs.messages.back().text));
    }

    void progressFillsTheBarOnItsOwnScale() {
        Firmware fixture;
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        QVERIFY(skin::message_gate::Post(dialog.messageHandle(), WM_DEVICE_PROGRESS, 75, 0));
        QTRY_COMPARE(dialog.progress(), 50);
        QVERIFY(!dialog.ready());
        // 145 design pixels of the bar come from the selected picture, the rest is the track.
        const QImage face = dialog.composeFace();
        const QImage full = testkit::ArtworkImage(firmware::kImageSelected);
        const QImage empty = testkit::ArtworkImage(firmware::kImageBackground);
        const int y = (firmware::kBarRect.top + firmware::kBarRect.bottom) / 2;
        const int last = firmware::kBarRect.left + 144;
        QCOMPARE(face.pixel(last, y), full.pixel(last, y));
        QCOMPARE(face.pixel(last + 1, y), empty.pixel(last + 1, y));
        QVERIFY(full.pixel(last + 1, y) != empty.pixel(last + 1, y));
    }

    // Before the download the keys and colours are read into a profile of their own; after it
    // they are written back on Yes. The window's own configuration is left alone throughout.
    void keysAndColoursAreKeptSafeAcrossADownload() {
        Firmware fixture;
        MainWindowHarness& harness = fixture.harness;
        z9rt::sim::SetSimulatedLight(5, 10, 20, 30);
        harness.click(mainwin::kIdReadAll);
        const CKeyboardProfile onKeyboard = harness.config;
        harness.config.lightColor[7] = {9, 9, 9};  // the window's own unwritten change
        const CKeyboardProfile inWindow = harness.config;
        harness.dialogs.messages.clear();

        QTemporaryDir folder;
        FirmwareKeyBackup backup(harness.resources, harness.config, harness.dialogs, harness.lane,
                                 kNoPauses, folder.path());
        COrvoDialogFirmwareUpdate& dialog = fixture.open();
        dialog.setKeyBackup(&backup);
        fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.1.bin"), FirmwareText(4)));
        // The new firmware starts from its defaults: the colour is gone when the question comes.
        bool defaultsTaken = false;
        harness.dialogs.whileShowing = [&harness, &defaultsTaken] {
            if (!defaultsTaken && !harness.dialogs.questions.empty() &&
                harness.dialogs.questions.back().text == kRestoreEnglish) {
                z9rt::sim::SetSimulatedLight(5, 0, 0, 0);
                defaultsTaken = true;
            }
        };
        harness.dialogs.choices = {FirmwareKeyBackup::kRestore};
        ClickElement(dialog, firmware::kIdUpdate);
        QTRY_VERIFY_WITH_TIMEOUT(harness.dialogs.messages.size() >= 3, 10000);
        harness.dialogs.whileShowing = nullptr;
        QVERIFY(defaultsTaken);

        const QStringList told = harness.dialogs.messageTexts();
        QCOMPARE(told.size(), 3);
        QVERIFY(backup.savedPath().startsWith(folder.path() + QStringLiteral("/Z9RT(PRSM)Ble ")));
        QVERIFY(backup.savedPath().endsWith(QStringLiteral(".pro")));
        QCOMPARE(told.at(0),
                 QStringLiteral("Before the download, the keyboard's keys and colours were saved "
                                "to:\n") +
                     backup.savedPath());
        QCOMPARE(told.at(1), kDownloadedEnglish);
        QCOMPARE(told.at(2), QStringLiteral("Your keys and colours are on the keyboard again."));
        QCOMPARE(harness.dialogs.questionTexts(), QStringList{kRestoreEnglish});

        CKeyboardConfig saved;
        saved.deviceType = harness.config.deviceType;
        saved.BuildCodeTables();
        saved.ResetToDefaults();
        QVERIFY(LoadProfile(saved, QFile::encodeName(backup.savedPath()).toStdString()).Ok());
        QVERIFY(model::SameKeys(saved, onKeyboard));
        QVERIFY(saved.lightColor == onKeyboard.lightColor);
        QVERIFY(static_cast<const CKeyboardProfile&>(harness.config) == inWindow);
        const z9rt::sim::SimulatedKeyboardState keyboard = z9rt::sim::ReadSimulatedKeyboard();
        QCOMPARE(int(keyboard.light[3 * (5 - 1)]), 10);
        QCOMPARE(int(keyboard.light[3 * (5 - 1) + 2]), 30);
    }

    void aFailedBackupAsksBeforeDownloading() {
        struct Case {
            const char* name;
            int choice;
            bool downloads;
        };
        const Case cases[] = {{"cancelled", FirmwareKeyBackup::kCancelDownload, false},
                              {"without backup", FirmwareKeyBackup::kDownloadWithoutBackup, true}};
        for (const Case& c : cases) {
            Firmware fixture;
            MainWindowHarness& harness = fixture.harness;
            QTemporaryDir folder;
            FirmwareKeyBackup backup(harness.resources, harness.config, harness.dialogs,
                                     harness.lane, kNoPauses, folder.path());
            COrvoDialogFirmwareUpdate& dialog = fixture.open();
            dialog.setKeyBackup(&backup);
            fixture.pick(fixture.file(QStringLiteral("Z9RT(PRSM)BLe_3.1.bin"), FirmwareText(4)));
            QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
            harness.dialogs.choices = {c.choice};
            ClickElement(dialog, firmware::kIdUpdate);
            QCOMPARE(harness.dialogs.questions.size(), std::size_t{1});
            QCOMPARE(harness.dialogs.questions.front().text,
                     QStringLiteral("The keyboard's keys and colours could not be read before the "
                                    "download.\n\nA new firmware may start from its default "
                                    "keys. Download without a backup?"));
            QVERIFY(backup.savedPath().isEmpty());
            QVERIFY(QDir(folder.path()).isEmpty());
            if (c.downloads) {
                QTRY_VERIFY_WITH_TIMEOUT(harness.dialogs.messageTexts().contains(kNoAnswerEnglish),
                                         10000);
            } else {
                QTest::qWait(50);
                QVERIFY2(!dialog.downloading() && harness.dialogs.messages.empty(), c.name);
            }
            QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults(""));
        }
    }

    void theBackupIsNamedAfterModelDateAndVersion() {
        const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));
        struct Case {
            int model;
            QString version;
            QString expected;
        };
        const Case cases[] = {
            {kDeviceTypePrsmBle, QStringLiteral("Z9RT(PRSM)Ble V2.10"),
             QStringLiteral("Z9RT(PRSM)Ble 2026-03-04 050607 Z9RT(PRSM)Ble V2.10.pro")},
            {kDeviceTypeS, QStringLiteral("a/b:c*?"),
             QStringLiteral("Z9RT(S) 2026-03-04 050607 a_b_c__.pro")},
            {kDeviceTypeSBle, QString(),
             QStringLiteral("Z9RT(S)Ble 2026-03-04 050607 unknown version.pro")},
        };
        for (const Case& c : cases) {
            QCOMPARE(FirmwareKeyBackup::FileName(c.model, when, c.version), c.expected);
        }
    }

    void theMainWindowsFirmwareButtonOpensTheWindow() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        QString version;
        testkit::WhenModal<COrvoDialogFirmwareUpdate>(
            [&version](COrvoDialogFirmwareUpdate& dialog) {
                version = dialog.versionText();
                ClickElement(dialog, firmware::kIdCancel);
            });
        harness.click(mainwin::kIdFirmware);
        QVERIFY(version.startsWith(QStringLiteral("Z9RT")));
        QVERIFY(harness.dialogs.messages.empty());
    }
};

QTEST_MAIN(FirmwareTest)
#include "FirmwareTest.moc"

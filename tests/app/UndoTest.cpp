// Undo and redo in the main window: every kind of change of the session, named on the display
// line, the title's marks, the bound of the history and the exit questions after undoing.
#include "BacklightLayout.h"
#include "COrvoDialogBkLightSettings.h"
#include "COrvoDialogKeyMapSettings.h"
#include "DialogDriver.h"
#include "KeySettingsLayout.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "SimulatedKeyboard.h"
#include "model/UndoHistory.h"
#include "profile/ProfileFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <vector>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindNotSet;
using model::LayerNoneFn;
using model::RGBColor;
using profile::SaveProfile;

using testkit::ClickElement;
using testkit::MainWindowHarness;
using testkit::WhenModal;
using namespace mainwin;

namespace {

constexpr int kKeyA = 46;

CKeyboardProfile Profile(const CKeyboardConfig& config) {
    return config;
}

// The key settings dialog of key A clears the key and is left with OK.
void ClearKeyA(MainWindowHarness& harness) {
    WhenModal<COrvoDialogKeyMapSettings>([](COrvoDialogKeyMapSettings& dialog) {
        ClickElement(dialog, keysettings::kIdClear);
        ClickElement(dialog, keysettings::kIdOk);
    });
    harness.click(KeyItemId(kKeyA));
}

void Undo(MainWindowHarness& harness) {
    QTest::keyClick(harness.window.get(), Qt::Key_Z, Qt::ControlModifier);
}

// The line under the title on the display line.
QString ReportLine(MainWindowHarness& harness) {
    harness.hover(kIdHelp);
    harness.face();
    return QString::fromStdWString(harness.window->displayText())
        .split(QStringLiteral("\r\n"))
        .value(1);
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindOfChangeIsUndoneAndRedone() {
        QTemporaryDir dir;
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdLanguage);  // English
        harness.dialogs.savePaths = {dir.filePath(QStringLiteral("start.pro"))};
        harness.click(kIdSave);
        QCOMPARE(harness.window->windowTitle(), QStringLiteral("Z9RT(PRSM)Ble"));

        std::vector<CKeyboardProfile> states{Profile(harness.config)};
        ClearKeyA(harness);
        QCOMPARE(harness.config.keyMode[kKeyA][LayerNoneFn], int(KindNotSet));
        QCOMPARE(harness.window->windowTitle(),
                 QStringLiteral("Z9RT(PRSM)Ble (unsaved, not written to the keyboard)"));
        states.push_back(Profile(harness.config));

        harness.dialogs.colors = {QColor(1, 2, 3)};
        WhenModal<COrvoDialogBkLightSettings>([](COrvoDialogBkLightSettings& dialog) {
            ClickElement(dialog, backlight::kIdSetAll);
            ClickElement(dialog, backlight::kIdWrite);
        });
        harness.click(kIdBacklight);
        QCOMPARE(harness.config.lightColor[kKeyA], (RGBColor{1, 2, 3}));
        states.push_back(Profile(harness.config));

        harness.click(kIdDefault);
        states.push_back(Profile(harness.config));

        z9rt::sim::SetSimulatedLight(5, 10, 20, 30);
        harness.click(kIdReadAll);
        QCOMPARE(harness.config.lightColor[5], (RGBColor{10, 20, 30}));
        states.push_back(Profile(harness.config));
        QCOMPARE(states.size(), std::size_t{5});

        const QString reports[] = {QStringLiteral("Undo: ReadAll"), QStringLiteral("Undo: Default"),
                                   QStringLiteral("Undo: colours"),
                                   QStringLiteral("Undo: key A, no Fn layer")};
        for (int step = 0; step < 4; ++step) {
            Undo(harness);
            QCOMPARE(ReportLine(harness), reports[step]);
            QVERIFY(Profile(harness.config) == states[static_cast<std::size_t>(3 - step)]);
        }
        Undo(harness);
        QCOMPARE(ReportLine(harness), QStringLiteral("Nothing to undo"));

        // Both ways of redoing.
        QTest::keyClick(harness.window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ReportLine(harness), QStringLiteral("Redo: key A, no Fn layer"));
        QVERIFY(Profile(harness.config) == states[1]);
        QCOMPARE(harness.config.keysDirty, 1);
        QTest::keyClick(harness.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ReportLine(harness), QStringLiteral("Redo: colours"));
        QVERIFY(Profile(harness.config) == states[2]);

        // Back to what was saved: nothing to write, nothing to save, no question on exit.
        Undo(harness);
        Undo(harness);
        QVERIFY(Profile(harness.config) == states[0]);
        QCOMPARE(harness.config.keysDirty, 0);
        QCOMPARE(harness.window->windowTitle(), QStringLiteral("Z9RT(PRSM)Ble"));
        harness.click(kIdExit);
        QVERIFY(harness.dialogs.questions.empty());
        QVERIFY(!harness.window->isVisible());
    }

    void anOpenedProfileIsUndoneAndCountsAsSaved() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.pro"));
        {
            CKeyboardConfig other;
            other.deviceType = kDeviceTypePrsmBle;
            other.BuildCodeTables();
            other.ResetToDefaults();
            other.lightColor[kKeyA] = {7, 7, 7};
            QVERIFY(SaveProfile(other, std::filesystem::path(path.toStdString())).Ok());
        }
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const CKeyboardProfile start = Profile(harness.config);
        harness.dialogs.openPaths = {path};
        harness.click(kIdOpen);
        QTest::qWait(600);  // the click guard after the file dialog
        QCOMPARE(harness.config.lightColor[kKeyA], (RGBColor{7, 7, 7}));
        QCOMPARE(harness.window->windowTitle(), QStringLiteral("Z9RT(PRSM)Ble"));
        Undo(harness);
        QCOMPARE(ReportLine(harness), QStringLiteral("撤销：打开配置"));
        QVERIFY(Profile(harness.config) == start);
        QCOMPARE(harness.window->windowTitle(), QStringLiteral("Z9RT(PRSM)Ble (未保存)"));
        // Not what the opened profile holds: the save question comes.
        harness.dialogs.choices = {COrvoDlg::kExitCancel};
        harness.click(kIdExit);
        QCOMPARE(harness.dialogs.questionTexts(),
                 QStringList{QStringLiteral("是否保存按键配置文件??")});
        QVERIFY(harness.window->isVisible());
    }

    void theHistoryKeepsItsLastSteps() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const std::size_t changes = model::kUndoSteps + 5;
        for (std::size_t change = 1; change <= changes; ++change) {
            harness.config.lightColor[kKeyA] = {static_cast<int>(change), 0, 0};
            harness.click(kIdHelp);  // any action of the window notes what changed
        }
        std::size_t undone = 0;
        while (harness.config.lightColor[kKeyA].Red != 5 && undone <= changes) {
            Undo(harness);
            ++undone;
        }
        QCOMPARE(undone, model::kUndoSteps);
        Undo(harness);
        QCOMPARE(harness.config.lightColor[kKeyA].Red, 5);
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"

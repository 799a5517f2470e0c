// The main window on the simulated keyboard: clicks at the design rectangles drive each action;
// the model, the texts shown and the painted face are checked.
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "Preferences.h"
#include "SimulatedKeyboard.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindCombo;
using model::KindMacro;
using model::KindMouse;
using model::KindNotSet;
using model::KindSingle;
using model::kLanguageEnglish;
using model::RGBColor;

using testkit::MainWindowHarness;
using testkit::TestMainWindow;
using namespace mainwin;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyF1 = 2;
constexpr int kKey6 = 21;
constexpr int kKeyFn = 78;
const QColor kGreen(0, 255, 0);

QString ShownText(const MainWindowHarness& harness) {
    return QString::fromStdWString(harness.window->displayText());
}

bool HasColorIn(const QImage& image, const QRect& area, const QColor& color) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

QRect Area(const skin::DesignRect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

void MakeCombo(CKeyboardConfig& config, int key, int layer) {
    config.keyMode[static_cast<std::size_t>(key)][static_cast<std::size_t>(layer)] = KindCombo;
    CItemList& list =
        config.keyList[static_cast<std::size_t>(key)][static_cast<std::size_t>(layer)];
    list.Clear();
    list.SetOrAppend(20000, L"LCTRL");
    list.SetOrAppend(20000, L"A");
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithDefaultsOnTheNoneFnLayer() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        QCOMPARE(harness.config.currentLayer, 0);
        QCOMPARE(harness.config.keysDirty, 0);
        QCOMPARE(harness.config.scaleFactor, 1.0F);
        QVERIFY(harness.window->findItem(kIdLayerNoneFn)->isSelected);
        QVERIFY(harness.window->findItem(kIndicatorNoneFn)->isSelected);
        QCOMPARE(harness.window->size(), QSize(kFaceSize.width, kFaceSize.height));
        // Chinese at start; no counters read yet: five blanks for each key, no counter text.
        QCOMPARE(ShownText(harness),
                 QStringLiteral("Z9RT(PRSM)Ble 编程软件 [版本 1.2.2]\r\n\r\n高频键：      低频键："
                                "     \r\n敲击次数："));
        QCOMPARE(harness.window->displayLine()->toPlainText(),
                 QString(ShownText(harness)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void layerButtonsSwitchTheLayerAndTheGreenIndicator() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const QRect indicator = Area(harness.window->findItem(kIndicatorRightFn)->rect);
        QVERIFY(!HasColorIn(harness.face(), indicator, kGreen));
        harness.click(kIdLayerRightFn);
        QCOMPARE(harness.config.currentLayer, 1);
        QVERIFY(harness.window->findItem(kIdLayerRightFn)->isSelected);
        QVERIFY(!harness.window->findItem(kIdLayerNoneFn)->isSelected);
        QVERIFY(HasColorIn(harness.face(), indicator, kGreen));
        QVERIFY(!HasColorIn(harness.face(), Area(harness.window->findItem(kIndicatorNoneFn)->rect),
                            kGreen));
        harness.click(kIdLayerLeftFn);
        QCOMPARE(harness.config.currentLayer, 2);
        QVERIFY(harness.window->findItem(kIndicatorLeftFn)->isSelected);
        harness.click(kIdLayerLeftFn);  // already selected: nothing changes
        QCOMPARE(harness.config.currentLayer, 2);
    }

    void keysShowActiveLookAndKindBars() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 0);
        const QImage face = harness.face();
        const QImage base = testkit::ArtworkImage(FaceImagesFor(1).base);
        const QImage active = testkit::ArtworkImage(FaceImagesFor(1).active);
        // The combo bar: 14 pixels centred on the key's bottom edge, 4 high, in yellow.
        const skin::DesignRect a = KeyRect(kKeyA);
        const int margin = (a.width() - 14) / 2;
        const QRect bar(a.left + margin, a.bottom - 4, a.width() - 2 * margin, 4);
        QCOMPARE(face.pixelColor(bar.center()), QColor(255, 255, 0));
        QCOMPARE(face.pixelColor(bar.left() - 1, bar.center().y()),
                 active.pixelColor(bar.left() - 1, bar.center().y()));
        // A single key: active look, no bar.
        const skin::DesignRect f1 = KeyRect(kKeyF1);
        const QPoint capF1((f1.left + f1.right) / 2, f1.top + 6);
        QVERIFY(base.pixelColor(capF1) != active.pixelColor(capF1));
        QCOMPARE(face.pixelColor(capF1), active.pixelColor(capF1));
        const QPoint barF1((f1.left + f1.right) / 2, f1.bottom - 2);
        QCOMPARE(face.pixelColor(barF1), active.pixelColor(barF1));
        // On the right Fn layer key "6" is not set: the base look.
        harness.click(kIdLayerRightFn);
        const skin::DesignRect six = KeyRect(kKey6);
        const QPoint cap6((six.left + six.right) / 2, six.top + 6);
        QCOMPARE(harness.face().pixelColor(cap6), base.pixelColor(cap6));
        // Multimedia (F1 is "Mute" there): a magenta bar.
        QCOMPARE(harness.face().pixelColor((f1.left + f1.right) / 2, f1.bottom - 2),
                 QColor(255, 0, 255));
    }

    void hoverHighlightsAndDescribesTheKey() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdLanguage);
        harness.click(kIdLayerRightFn);
        const QImage hover = testkit::ArtworkImage(FaceImagesFor(1).hover);
        const QImage active = testkit::ArtworkImage(FaceImagesFor(1).active);
        // A key that is not set shows the hover look under the pointer...
        harness.hover(KeyItemId(kKey6));
        const skin::DesignRect six = KeyRect(kKey6);
        const QPoint cap6((six.left + six.right) / 2, six.top + 6);
        QCOMPARE(harness.face().pixelColor(cap6), hover.pixelColor(cap6));
        // ...an assigned one keeps its active look.
        harness.hover(KeyItemId(kKeyFn));
        const skin::DesignRect fn = KeyRect(kKeyFn);
        const QPoint capFn((fn.left + fn.right) / 2, fn.top + 6);
        QCOMPARE(harness.face().pixelColor(capFn), active.pixelColor(capFn));
        QCOMPARE(harness.face().pixelColor(cap6),
                 active.pixelColor(cap6) == hover.pixelColor(cap6)
                     ? hover.pixelColor(cap6)
                     : testkit::ArtworkImage(FaceImagesFor(1).base).pixelColor(cap6));
        QVERIFY(ShownText(harness).endsWith(
            QStringLiteral("Counter: \r\n\r\nNoneFN Key：Function RightFN"
                           "\r\nLeftFN Key：Function RightFN\r\nRightFN Key：Function RightFN")));
        // Off the keys the key lines go.
        harness.hover(kIdSave);
        harness.face();
        QVERIFY(ShownText(harness).endsWith(QStringLiteral("Counter: ")));
    }

    void macroTextIsShortenedInTheDisplayLine() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        auto& list = harness.config.keyList[kKeyA][0];
        list.Clear();
        for (int event = 0; event < 40; ++event) {
            list.SetOrAppend(20000, event % 2 == 0 ? L"A Down" : L"A UP");
            list.SetOrAppend(20000, L"<30 ms>");
        }
        harness.config.keyMode[kKeyA][0] = KindMacro;
        harness.hover(KeyItemId(kKeyA));
        harness.face();
        const QString text = ShownText(harness);
        const QString macroLine = text.section(QStringLiteral("无FN键："), 1).section('\r', 0, 0);
        QVERIFY(macroLine.startsWith(QStringLiteral("宏键 A,30,A,30,")));
        QVERIFY(macroLine.endsWith(QStringLiteral(" ... ...")));
        QVERIFY(macroLine.size() < 140);
    }

    void languageButtonSwitchesCaptionsAndTheTrayMenu() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        QCOMPARE(harness.window->trayMenuText(), QStringLiteral("关闭"));
        const QImage chinese = harness.face();
        harness.click(kIdLanguage);
        QCOMPARE(harness.config.language, std::string("en-US"));
        // Qt's own dialogs switch with the windows.
        QCOMPARE(harness.dialogs.languages, (std::vector<std::string>{"en-US"}));
        QVERIFY(harness.window->findItem(kIdLanguage)->isSelected);
        QCOMPARE(harness.window->findItem(kLabelLanguage)->caption(harness.config.language),
                 std::wstring(L"简体中文"));
        QCOMPARE(harness.window->trayMenuText(), QStringLiteral("Exit"));
        QVERIFY(harness.face() != chinese);
        QVERIFY(ShownText(harness).startsWith(
            QStringLiteral("Z9RT(PRSM)Ble Programming Software [Ver 1.2.2]")));
        harness.click(kIdLanguage);
        QCOMPARE(harness.config.language, std::string("zh-CN"));
        QVERIFY(!harness.window->findItem(kIdLanguage)->isSelected);
        QCOMPARE(harness.dialogs.languages, (std::vector<std::string>{"en-US", "zh-CN"}));
    }

    void defaultRestoresTheModelsKeysButKeepsTheDirtyFlag() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 0);
        harness.config.keysDirty = 1;
        harness.click(kIdDefault);
        QCOMPARE(harness.config.keyMode[kKeyA][0], static_cast<int>(KindSingle));
        QCOMPARE(harness.config.keyHWCode[kKeyA][0], 43);
        QCOMPARE(harness.config.keysDirty, 1);
    }

    void helpOpensTheUserGuide() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdHelp);
        QCOMPARE(harness.dialogs.openedUrls.size(), std::size_t{1});
        QCOMPARE(harness.dialogs.openedUrls.front(),
                 QUrl::fromLocalFile(QStringLiteral("/opt/z9rt/Z9RT(PRSM)Ble.html")));
        QVERIFY(harness.dialogs.messages.empty());
        harness.dialogs.openUrlSucceeds = false;
        harness.click(kIdHelp);
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{1});
    }

    void hideGoesToTheTrayAndComesBack() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.window->trayPresent = true;
        harness.click(kIdHide);
        QVERIFY(harness.window->isHidden());
        QVERIFY(harness.window->inTray());
        harness.window->trayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(harness.window->isVisible());
        QVERIFY(!harness.window->inTray());
        // A single click brings it back too (many notification areas send nothing else).
        harness.click(kIdHide);
        harness.window->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(harness.window->isVisible());
        QVERIFY(harness.dialogs.messages.empty());
    }

    void hidingInTheTrayKeepsTheProgramRunning() {
        MainWindowHarness harness;
        bool hidden = false;
        bool inTray = false;
        bool backByDoubleClick = false;
        bool backByMenu = false;
        bool stayedAfterNo = false;
        const int result = harness.run(
            [&] {
                harness.config.keysDirty = 1;
                harness.click(kIdHide);
                // What follows happens only while the window's run goes on.
                QTimer::singleShot(10, harness.window.get(), [&] {
                    TestMainWindow& window = *harness.window;
                    hidden = window.isHidden();
                    inTray = window.inTray();
                    window.trayActivated(QSystemTrayIcon::DoubleClick);
                    backByDoubleClick = window.isVisible() && !window.inTray();
                    QMenu* menu = window.findChild<QMenu*>();
                    harness.click(kIdHide);
                    menu->actions().constFirst()->trigger();
                    backByMenu = window.isVisible() && !window.inTray();
                    // Exit from the tray menu asks the exit questions: No keeps the program.
                    harness.click(kIdHide);
                    harness.dialogs.choices = {COrvoDlg::kExitNo};
                    menu->actions().constLast()->trigger();
                    stayedAfterNo = window.isVisible();
                    harness.click(kIdHide);
                    harness.dialogs.choices = {COrvoDlg::kExitYes, COrvoDlg::kExitNo};
                    menu->actions().constLast()->trigger();
                });
            },
            true);
        QVERIFY(hidden);
        QVERIFY(inTray);
        QVERIFY(backByDoubleClick);
        QVERIFY(backByMenu);
        QVERIFY(stayedAfterNo);
        QCOMPARE(result, skin::SkinnedDialog::kResultOk);
        QVERIFY(!harness.window->inTray());
        QCOMPARE(harness.dialogs.questionTexts(),
                 (QStringList{QStringLiteral("配置未写入，是否继续退出??"),
                              QStringLiteral("配置未写入，是否继续退出??"),
                              QStringLiteral("是否保存按键配置文件??")}));
    }

    void everyWayOfClosingAsksTheExitQuestions_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"exit button", "Escape", "Enter", "window manager", "tray menu"}) {
            QTest::newRow(way) << QString::fromLatin1(way);
        }
    }

    void everyWayOfClosingAsksTheExitQuestions() {
        QFETCH(QString, way);
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.window->trayPresent = true;
        harness.config.keysDirty = 1;
        const auto close = [&] {
            if (way == QLatin1String("exit button")) {
                harness.click(kIdExit);
            } else if (way == QLatin1String("Escape")) {
                QTest::keyClick(harness.window.get(), Qt::Key_Escape);
            } else if (way == QLatin1String("Enter")) {
                QTest::keyClick(harness.window.get(), Qt::Key_Return);
            } else if (way == QLatin1String("window manager")) {
                harness.window->close();  // what Alt+F4 and the task bar's close send
            } else {
                harness.click(kIdHide);
                harness.window->findChild<QMenu*>()->actions().constLast()->trigger();
            }
        };
        harness.dialogs.choices = {COrvoDlg::kExitNo};
        close();
        QVERIFY(harness.window->isVisible());
        QCOMPARE(harness.dialogs.questionTexts(),
                 QStringList{QStringLiteral("配置未写入，是否继续退出??")});
        harness.dialogs.choices = {COrvoDlg::kExitYes, COrvoDlg::kExitNo};
        close();
        QVERIFY(!harness.window->isVisible());
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{3});
        QCOMPARE(harness.dialogs.questions.back().text, QStringLiteral("是否保存按键配置文件??"));
    }

    void withoutATrayHideMinimizes() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdHide);
        QVERIFY(harness.window->isMinimized());
        QVERIFY(!harness.window->inTray());
    }

    void exitWithUnwrittenChangesAnsweredNoStays() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.config.keysDirty = 1;
        harness.dialogs.choices = {COrvoDlg::kExitNo};
        harness.click(kIdExit);
        QVERIFY(harness.window->isVisible());
        QCOMPARE(harness.dialogs.questionTexts(),
                 QStringList{QStringLiteral("配置未写入，是否继续退出??")});
        QCOMPARE(harness.dialogs.questions.front().caption, QStringLiteral("Z9RT(PRSM)Ble"));
        QCOMPARE(harness.dialogs.questions.front().buttons,
                 (QStringList{QStringLiteral("是"), QStringLiteral("否")}));
    }

    // Enter, Escape and a question's close box answer what keeps the work: the first Enter
    // of "Enter, Enter" no longer heads out, and Escape never ends the program unsaved.
    void theExitQuestionsKeepTheWorkByDefault() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.config.keysDirty = 1;
        QTest::keyClick(harness.window.get(), Qt::Key_Return);
        QTest::keyClick(harness.window.get(), Qt::Key_Escape);
        QVERIFY(harness.window->isVisible());
        const skin::Question unwritten = harness.dialogs.questions.at(0);
        QCOMPARE(unwritten.defaultButton, int(COrvoDlg::kExitNo));
        QCOMPARE(unwritten.escapeButton, int(COrvoDlg::kExitNo));

        // Past the first question: the save question's Escape or close box stays too.
        harness.dialogs.choices = {COrvoDlg::kExitYes};
        harness.click(kIdExit);
        QVERIFY(harness.window->isVisible());
        QVERIFY(harness.dialogs.saveDialogs.empty());
        const skin::Question save = harness.dialogs.questions.back();
        QCOMPARE(save.text, QStringLiteral("是否保存按键配置文件??"));
        QCOMPARE(save.buttons,
                 (QStringList{QStringLiteral("是"), QStringLiteral("否"), QStringLiteral("取消")}));
        QCOMPARE(save.defaultButton, int(COrvoDlg::kExitYes));
        QCOMPARE(save.escapeButton, int(COrvoDlg::kExitCancel));
    }

    void exitAnsweredYesThenNoEndsWithoutAFileDialog() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.config.keysDirty = 1;
        harness.click(kIdLanguage);
        harness.dialogs.choices = {COrvoDlg::kExitYes, COrvoDlg::kExitNo};
        harness.click(kIdExit);
        QVERIFY(!harness.window->isVisible());
        QCOMPARE(harness.dialogs.questionTexts(),
                 (QStringList{QStringLiteral("Configuration don't be writted,continue to exit??"),
                              QStringLiteral("Save configuration file of key??")}));
        QVERIFY(harness.dialogs.saveDialogs.empty());
    }

    void exitWithoutChangesStillAsksToSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.dialogs.choices = {COrvoDlg::kExitYes};
        harness.dialogs.savePaths = {path};
        harness.click(kIdExit);
        QCOMPARE(harness.dialogs.questionTexts(),
                 QStringList{QStringLiteral("是否保存按键配置文件??")});
        QCOMPARE(harness.dialogs.saveDialogs.size(), std::size_t{1});
        QCOMPARE(harness.dialogs.saveDialogs.front().defaultSuffix, QStringLiteral("pro"));
        QVERIFY(QFile::exists(path));
        QVERIFY(!harness.window->isVisible());
    }

    void cancellingTheSaveDialogCancelsTheExit() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.dialogs.choices = {COrvoDlg::kExitYes};
        harness.click(kIdExit);  // the save dialog is cancelled
        QCOMPARE(harness.dialogs.saveDialogs.size(), std::size_t{1});
        QVERIFY(harness.window->isVisible());
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{1});
    }

    void clicksRightAfterOpeningAProfileAreIgnored() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdOpen);  // the file dialog is cancelled
        QCOMPARE(harness.config.clickGuard, 1);
        harness.click(kIdLayerRightFn);
        QCOMPARE(harness.config.currentLayer, 0);
        QTRY_COMPARE_WITH_TIMEOUT(harness.config.clickGuard, 0, 2000);
        harness.click(kIdLayerRightFn);
        QCOMPARE(harness.config.currentLayer, 1);
    }

    void saveAndOpenAProfile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mine.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 2);
        harness.dialogs.savePaths = {path};
        harness.click(kIdSave);
        QVERIFY(QFile::exists(path));
        QVERIFY(harness.dialogs.messages.empty());
        QCOMPARE(harness.dialogs.saveDialogs.front().filter,
                 QStringLiteral("pro(*.pro)|*.pro|All Files(*.*)|*.*||"));

        harness.click(kIdDefault);
        QCOMPARE(harness.config.keyMode[kKeyA][2], static_cast<int>(KindMouse));
        harness.dialogs.openPaths = {path};
        harness.click(kIdOpen);
        QVERIFY(harness.dialogs.messages.empty());
        QCOMPARE(harness.config.keyMode[kKeyA][2], static_cast<int>(KindCombo));
        QCOMPARE(harness.config.keyList[kKeyA][2].Items(),
                 (std::vector<std::wstring>{L"LCTRL", L"A"}));
    }

    void aProfileThatCannotBeReadChangesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.pro"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a profile at all");
        file.close();
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdLanguage);
        MakeCombo(harness.config, kKeyA, 0);
        harness.dialogs.openPaths = {path};
        harness.click(kIdOpen);
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{1});
        QVERIFY(harness.dialogs.messages.front().text.startsWith(
            QStringLiteral("Cannot open the profile ") + path));
        QVERIFY(harness.dialogs.messages.front().text.contains(
            QStringLiteral("The configuration is unchanged.")));
        QCOMPARE(harness.config.keyMode[kKeyA][0], static_cast<int>(KindCombo));
    }

    void aCutOffProfileIsRefusedAsDamaged() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        MakeCombo(harness.config, kKeyA, 0);
        harness.dialogs.savePaths = {path};
        harness.click(kIdSave);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() / 2));
        file.close();
        harness.click(kIdDefault);
        MakeCombo(harness.config, kKeyA, 1);
        const CKeyboardProfile before = harness.config;
        harness.dialogs.openPaths = {path, path};
        harness.click(kIdOpen);
        QTRY_COMPARE(harness.config.clickGuard, 0);  // the window takes clicks again
        harness.click(kIdLanguage);
        harness.click(kIdOpen);
        const QStringList texts = harness.dialogs.messageTexts();
        QCOMPARE(texts.size(), 2);
        QVERIFY2(texts[0].contains(QStringLiteral("配置文件已损坏（第 ")), qPrintable(texts[0]));
        QVERIFY2(texts[1].contains(QStringLiteral("the profile is damaged at line ")),
                 qPrintable(texts[1]));
        QVERIFY(static_cast<const CKeyboardProfile&>(harness.config) == before);
    }

    // A key whose assignment in the file the keyboard could not take as it is keeps what it
    // held; the rest of the profile is opened, and the window says which keys it left.
    void keysAProfileHoldsBeyondTheRulesAreLeftAsTheyWere() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rules.pro"));
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.config.keyMode[kKeyA][1] = KindCombo;
        for (const wchar_t* key : {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I"}) {
            harness.config.keyList[kKeyA][1].Append(key);
        }
        harness.config.lightColor[5] = {1, 2, 3};
        harness.dialogs.savePaths = {path};
        harness.click(kIdSave);

        harness.click(kIdDefault);
        MakeCombo(harness.config, kKeyA, 1);
        harness.config.lightColor[5] = {};
        harness.dialogs.openPaths = {path, path};
        harness.click(kIdOpen);
        QTRY_COMPARE(harness.config.clickGuard, 0);
        harness.click(kIdLanguage);
        harness.click(kIdOpen);
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{2});
        QVERIFY(harness.dialogs.messages[0].icon == skin::MessageIcon::Exclamation);
        const QStringList texts = harness.dialogs.messageTexts();
        QVERIFY2(texts[0].contains(QStringLiteral("按键 46（A），右FN层")), qPrintable(texts[0]));
        QVERIFY2(texts[1].contains(
                     QStringLiteral("key 46 (A), RightFn: a combination of 9 keys; at most 6")),
                 qPrintable(texts[1]));
        QCOMPARE(harness.config.keyList[kKeyA][1].Items(),
                 (std::vector<std::wstring>{L"LCTRL", L"A"}));
        QCOMPARE(harness.config.lightColor[5], (RGBColor{1, 2, 3}));
    }

    void aProfileThatCannotBeWrittenIsReported() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.dialogs.savePaths = {QStringLiteral("/nonexistent-folder/mine.pro")};
        harness.click(kIdSave);
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{1});
        QVERIFY(harness.dialogs.messages.front().text.startsWith(
            QStringLiteral("无法保存配置文件 /nonexistent-folder/mine.pro")));
        // On exit a failed save keeps the window, so nothing is lost.
        harness.dialogs.messages.clear();
        harness.dialogs.choices = {COrvoDlg::kExitYes};
        harness.dialogs.savePaths = {QStringLiteral("/nonexistent-folder/mine.pro")};
        harness.click(kIdExit);
        QCOMPARE(harness.dialogs.questions.size(), std::size_t{1});
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{1});
        QVERIFY(harness.window->isVisible());
    }

    void unpluggingTheKeyboardEndsTheProgram() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.window->devicesChanged();  // another device: nothing happens
        QVERIFY(harness.window->isVisible());
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=0"));
        // Changes that come while the message is up add nothing to it.
        harness.dialogs.whileShowing = [&harness] { harness.window->devicesChanged(); };
        harness.window->devicesChanged();
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{QStringLiteral("键盘未连接")});
        QVERIFY(!harness.window->isVisible());
    }

    void aSimulatedKeyboardThatGoesAwayLooksUnplugged() {
        MainWindowHarness harness;
        harness.watchDevices = true;
        QVERIFY(harness.open());
        // It takes the request of the key read and is gone.
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=1"));
        harness.click(kIdReadAll);
        // One message, in the language of the windows: the failed read is the keyboard gone.
        QTRY_VERIFY_WITH_TIMEOUT(!harness.window->isVisible(), 5000);
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{QStringLiteral("键盘未连接")});
        QVERIFY(harness.dialogs.questions.empty());
    }

    // A keyboard held by another program, or one that does not answer: the user may go on
    // without it; editing, Open and Save work, transfers say why they cannot.
    void aKeyboardThatCannotBeUsedCanBeLeftAside_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("busy") << QStringLiteral("busy");
        QTest::newRow("silent") << QStringLiteral("silent");
    }

    void aKeyboardThatCannotBeUsedCanBeLeftAside() {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("offline.pro"));
        MainWindowHarness harness(kDeviceTypePrsmBle, qPrintable(fault));
        harness.dialogs.choices = {COrvoDlg::kGoOnWithoutKeyboard};
        QVERIFY(harness.open());
        QVERIFY(!harness.window->keyboardUsable());
        const skin::Question& asked = harness.dialogs.questions.at(0);
        QVERIFY(asked.text.startsWith(QStringLiteral("键盘被占用！\n\n")));
        QCOMPARE(asked.buttons,
                 (QStringList{QStringLiteral("不使用键盘继续"), QStringLiteral("退出")}));

        for (int id : {kIdWriteKeys, kIdReadAll, kIdReadCounters, kIdFirmware}) {
            harness.click(id);
        }
        QCOMPARE(harness.dialogs.messages.size(), std::size_t{4});
        for (const QString& text : harness.dialogs.messageTexts()) {
            QVERIFY2(text.startsWith(QStringLiteral("键盘无法使用")), qPrintable(text));
        }
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        MakeCombo(harness.config, kKeyA, 0);
        harness.dialogs.savePaths = {path};
        harness.click(kIdSave);
        QVERIFY(QFile::exists(path));
        // Nothing ends the program behind the user's back.
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=0"));
        harness.window->devicesChanged();
        QVERIFY(harness.window->isVisible());
    }

    // In the user's configuration folder, as desktop programs keep their settings; a place
    // that is on no screen any more is not taken.
    void theLanguageAndThePlaceAreRememberedForTheNextRun() {
        QTemporaryDir dir;
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        const QString file = Preferences::UserFile();
        qputenv("XDG_CONFIG_HOME", before);
        QCOMPARE(file, dir.filePath(QStringLiteral("Z9RT/Z9RT(PRSM)Ble.conf")));
        {
            MainWindowHarness harness;
            harness.preferencesFile = file;
            QVERIFY(harness.open());
            harness.click(kIdLanguage);
            harness.window->move(40, 30);
            harness.dialogs.choices = {COrvoDlg::kExitNo};
            harness.click(kIdExit);
            QVERIFY(!harness.window->isVisible());
        }
        MainWindowHarness next;
        next.preferencesFile = file;
        QVERIFY(next.open());
        QCOMPARE(next.config.language, std::string(kLanguageEnglish));
        QVERIFY(next.window->findItem(kIdLanguage)->isSelected);
        QCOMPARE(next.dialogs.languages, std::vector<std::string>{kLanguageEnglish});
        QCOMPARE(next.window->pos(), QPoint(40, 30));

        Preferences(file).setWindowPosition({-5000, -5000});
        MainWindowHarness unplugged(kDeviceTypePrsmBle, "unplug-after=0");
        unplugged.preferencesFile = file;
        QVERIFY(!unplugged.open());
        // Told in the language of the last run.
        QCOMPARE(unplugged.dialogs.messageTexts(),
                 QStringList{QStringLiteral("Keyboard is not connected!")});
        MainWindowHarness elsewhere;
        elsewhere.preferencesFile = file;
        QVERIFY(elsewhere.open());
        QVERIFY(elsewhere.window->pos() != QPoint(-5000, -5000));
    }

    void sModelHasNoBacklightButton() {
        MainWindowHarness harness(kDeviceTypeS);
        QVERIFY(harness.open());
        QCOMPARE(harness.config.deviceType, kDeviceTypeS);
        QVERIFY(harness.window->findItem(kIdBacklight) == nullptr);
        QVERIFY(harness.window->findItem(kLabelBacklight) == nullptr);
        QCOMPARE(harness.window->findItem(kIdReadAll)->rect.left, 460);
        QVERIFY(ShownText(harness).startsWith(QStringLiteral("Z9RT(S) 编程软件")));
        // Key 10 has no default on the Fn layers of this model.
        QCOMPARE(harness.config.keyMode[10][1], static_cast<int>(KindNotSet));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

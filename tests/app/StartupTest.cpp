// Start-up: detection with its retries, the messages of a missing or busy keyboard, missing
// artwork, and the pictures each model loads.
#include "COrvoApp.h"
#include "DeviceMessages.h"
#include "KeyboardSearchLayout.h"
#include "KeyboardSearchNotice.h"
#include "MainWindowLayout.h"
#include "ScriptedDialogService.h"
#include "SimulatedKeyboard.h"
#include "model/KeyboardConfig.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using model::CKeyboardConfig;

namespace {

struct CountingPause {
    int count = 0;
    std::function<void()> onPause;
    std::function<void(std::chrono::milliseconds)> function() {
        return [this](std::chrono::milliseconds duration) {
            QCOMPARE(duration, std::chrono::milliseconds(1000));
            ++count;
            if (onPause) {
                onPause();
            }
        };
    }
};

// The notice of the keyboard search, when one is on screen.
KeyboardSearchNotice* ShownSearchNotice() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* notice = qobject_cast<KeyboardSearchNotice*>(widget);
            notice != nullptr && notice->isVisible()) {
            return notice;
        }
    }
    return nullptr;
}

StartupOptions Options(CountingPause& pause) {
    StartupOptions options;
    options.pause = pause.function();
    options.mainWindow.pauses = {std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
    options.mainWindow.watchDevices = false;
    return options;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { device_messages::Install(); }
    void cleanup() { z9rt::sim::SetSimulatedKeyboardFaults(""); }

    void withoutAKeyboardItRetriesThenSaysSo() {
        z9rt::sim::ResetSimulatedKeyboard(1);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=0"));
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        CountingPause pause;
        // Every pause of the search happens under its notice, which names it in both languages.
        int pausesUnderTheNotice = 0;
        pause.onPause = [&pausesUnderTheNotice] {
            KeyboardSearchNotice* notice = ShownSearchNotice();
            if (notice != nullptr &&
                notice->findItem(keyboard_search::kLabelChinese)->caption("zh-CN") ==
                    L"正在查找键盘…" &&
                notice->findItem(keyboard_search::kLabelEnglish)->caption("zh-CN") ==
                    L"Looking for the keyboard…") {
                ++pausesUnderTheNotice;
            }
        };
        COrvoApp app(config, dialogs, Options(pause));
        QCOMPARE(app.run(), 0);
        QCOMPARE(pause.count, 11);
        QCOMPARE(pausesUnderTheNotice, 11);
        QVERIFY(ShownSearchNotice() == nullptr);
        QCOMPARE(config.deviceType, 0);
        // In the language of the windows, Chinese at the first start.
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("键盘未连接！")});
        QCOMPARE(dialogs.messages.front().caption, QStringLiteral("Z9RT(PRSM)Ble"));
    }

    void aKeyboardFoundOnTheThirdCallEndsTheRetries() {
        z9rt::sim::ResetSimulatedKeyboard(3);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=0"));
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        CountingPause pause;
        // The keyboard appears during the first pause, so the third call finds it.
        pause.onPause = [&pause] {
            if (pause.count == 1) {
                z9rt::sim::SetSimulatedKeyboardFaults("");
            }
        };
        COrvoApp app(config, dialogs, Options(pause));
        app.detectKeyboard();
        QCOMPARE(pause.count, 2);
        QCOMPARE(config.deviceType, 3);
    }

    void aBusyKeyboardIsReportedAsOccupied() {
        z9rt::sim::ResetSimulatedKeyboard(1);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("busy"));
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        CountingPause pause;
        COrvoApp app(config, dialogs, Options(pause));
        QCOMPARE(app.run(), 0);  // Escape: the program ends
        QCOMPARE(pause.count, 0);
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(dialogs.questions.size(), std::size_t{1});
        QVERIFY(dialogs.questions[0].text.startsWith(QStringLiteral("键盘被占用！\n\n")));
        QCOMPARE(dialogs.questions[0].escapeButton, int(COrvoDlg::kQuitWithoutKeyboard));
    }

    void missingArtworkIsToldOnceAndTheProgramRuns() {
        z9rt::sim::ResetSimulatedKeyboard(1);
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        CountingPause pause;
        StartupOptions options = Options(pause);
        options.resourceFile = QStringLiteral("/nonexistent/Z9RT(PRSM)BleRES.rcc");
        COrvoApp app(config, dialogs, options);
        // The main window comes up with blank faces; it is then closed.
        QTimer::singleShot(200, [] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* window = qobject_cast<COrvoDlg*>(widget); window && window->isVisible()) {
                    QCOMPARE(window->size(),
                             QSize(mainwin::kFaceSize.width, mainwin::kFaceSize.height));
                    window->done(skin::SkinnedDialog::kResultCancel);
                }
            }
        });
        QCOMPARE(app.run(), 0);
        QCOMPARE(dialogs.messages.size(), std::size_t{1});
        QVERIFY(dialogs.messages.front().text.contains(QStringLiteral("Z9RT(PRSM)BleRES.rcc")));
        QVERIFY(dialogs.messages.front().text.contains(QStringLiteral("blank faces")));
        QVERIFY(dialogs.messages.front().text.contains(QStringLiteral("空白界面")));
    }

    void eachModelLoadsItsOwnPictures() {
        const std::vector<int> s = COrvoApp::ArtworkIds(3);
        QCOMPARE(std::vector<int>(s.begin(), s.begin() + 3), (std::vector<int>{149, 150, 148}));
        QVERIFY(std::find(s.begin(), s.end(), 101) == s.end());
        const std::vector<int> other = COrvoApp::ArtworkIds(0);
        QCOMPARE(std::vector<int>(other.begin(), other.begin() + 3),
                 (std::vector<int>{101, 102, 103}));
        // Every picture the program loads is in the resource file the build made.
        skin::SkinResources resources;
        QVERIFY(resources.loadResourceFile(QCoreApplication::applicationDirPath() +
                                           QStringLiteral("/Z9RT(PRSM)BleRES.rcc")));
        for (int type = 1; type <= 4; ++type) {
            resources.checkImages(COrvoApp::ArtworkIds(type));
        }
        QVERIFY(resources.missingImages().empty());
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"

// The pictures of the windows take memory only while a window shows them: start-up decodes
// what the main window shows, each other window decodes its own as it opens and releases them
// as it closes.
#include "BacklightLayout.h"
#include "COrvoApp.h"
#include "COrvoDialogBkLightMultiSelect.h"
#include "COrvoDialogBkLightSettings.h"
#include "COrvoDialogFirmwareUpdate.h"
#include "COrvoDialogKeyMapSettings.h"
#include "DialogDriver.h"
#include "FirmwareLayout.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "MultiSelectLayout.h"
#include "OrvoDialogVirtual.h"
#include "ScriptedDialogService.h"
#include "ScrollBarSkin.h"
#include "SimulatedKeyboard.h"
#include "VirtualKeyboardLayout.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <set>

using model::CKeyboardConfig;

using testkit::ClickElement;
using testkit::MainWindowHarness;
using testkit::WhenModal;

namespace {

constexpr int kKeyA = 46;

std::set<int> Decoded(const skin::SkinResources& resources) {
    const std::vector<int> ids = resources.decodedImages();
    return {ids.begin(), ids.end()};
}

bool Includes(const std::set<int>& all, const std::set<int>& some) {
    return std::includes(all.begin(), all.end(), some.begin(), some.end());
}

// Every picture the main window of the model may draw from.
std::set<int> MainWindowPictures(int deviceType) {
    const mainwin::FaceImages faces = mainwin::FaceImagesFor(deviceType);
    return {faces.base, faces.hover, faces.active};
}

}  // namespace

class PictureMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void startUpDecodesWhatTheMainWindowShowsAndTheProgressDialogs() {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypeS);
        CKeyboardConfig config;
        testkit::ScriptedDialogService dialogs;
        StartupOptions options;
        options.pause = [](std::chrono::milliseconds) {};
        options.mainWindow.watchDevices = false;
        COrvoApp app(config, dialogs, options);
        // The face and the lit keys; the hover look waits for the pointer. The progress
        // dialog's pictures are made ready for its first transfer once the window has painted.
        const mainwin::FaceImages faces = mainwin::FaceImagesFor(kDeviceTypeS);
        std::set<int> expected{faces.base, faces.active};
        const std::vector<int> ready = COrvoApp::ReadyPictureIds();
        expected.insert(ready.begin(), ready.end());
        // Looked at as soon as the progress dialog's pictures are there (or after a while).
        std::set<int> decoded;
        QElapsedTimer waited;
        waited.start();
        QTimer look;
        look.setInterval(20);
        connect(&look, &QTimer::timeout, [&] {
            decoded = Decoded(app.resources());
            if (!Includes(decoded, {ready.begin(), ready.end()}) && waited.elapsed() < 10000) {
                return;
            }
            look.stop();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* window = qobject_cast<COrvoDlg*>(widget); window && window->isVisible()) {
                    window->done(skin::SkinnedDialog::kResultCancel);
                }
            }
        });
        look.start();
        QCOMPARE(app.run(), 0);
        QCOMPARE(decoded, expected);
    }

    void everyWindowReleasesItsPicturesAsItCloses() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        const skin::SkinResources& resources = harness.resources;
        const std::set<int> mainPictures = MainWindowPictures(harness.config.deviceType);
        QVERIFY(Includes(mainPictures, Decoded(resources)));

        // The key settings dialog on every page, with the virtual keyboard over it.
        std::set<int> whileOpen;
        WhenModal<COrvoDialogKeyMapSettings>([&](COrvoDialogKeyMapSettings& dialog) {
            for (int page = 0; page < keysettings::kPageCount; ++page) {
                dialog.ShowPage(page);
            }
            WhenModal<OrvoDialogVirtual>([&](OrvoDialogVirtual& keyboard) {
                whileOpen = Decoded(resources);
                keyboard.reject();
            });
            dialog.runVirtualKeyboard(virtualkbd::kModeSingle);
            dialog.reject();
        });
        harness.click(mainwin::KeyItemId(kKeyA));
        std::set<int> pages{skin::scrollbar_skin::kImage, virtualkbd::kImageBackground};
        for (int page = 1; page <= keysettings::kPageCount; ++page) {
            pages.insert(keysettings::PageImagesFor(page, harness.config.deviceType).base);
        }
        QVERIFY(Includes(whileOpen, pages));
        QVERIFY(Includes(mainPictures, Decoded(resources)));

        // The backlight window with the multi-key window over it.
        whileOpen.clear();
        WhenModal<COrvoDialogBkLightSettings>([&](COrvoDialogBkLightSettings& dialog) {
            WhenModal<COrvoDialogBkLightMultiSelect>([&](COrvoDialogBkLightMultiSelect& multi) {
                whileOpen = Decoded(resources);
                multi.reject();
            });
            ClickElement(dialog, backlight::kIdMultiKey);
            dialog.reject();
        });
        harness.click(mainwin::kIdBacklight);
        QVERIFY(Includes(whileOpen, {backlight::kSettingsImageBackground,
                                     backlight::kMultiSelectImageBackground}));
        QVERIFY(Includes(mainPictures, Decoded(resources)));

        whileOpen.clear();
        WhenModal<COrvoDialogFirmwareUpdate>([&](COrvoDialogFirmwareUpdate& dialog) {
            whileOpen = Decoded(resources);
            dialog.reject();
        });
        harness.click(mainwin::kIdFirmware);
        QVERIFY(Includes(whileOpen, {firmware::kImageBackground}));
        QVERIFY(Includes(mainPictures, Decoded(resources)));

        // The progress dialog closes itself once the counters are in.
        harness.click(mainwin::kIdReadCounters);
        QVERIFY(Includes(mainPictures, Decoded(resources)));
        QVERIFY(harness.dialogs.messageTexts().isEmpty());
    }
};

QTEST_MAIN(PictureMemoryTest)
#include "PictureMemoryTest.moc"

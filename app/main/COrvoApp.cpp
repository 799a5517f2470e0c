#include "COrvoApp.h"

#include "AfterFirstPaint.h"
#include "BacklightLayout.h"
#include "FirmwareLayout.h"
#include "KeySettingsLayout.h"
#include "KeyboardSearchLayout.h"
#include "KeyboardSearchNotice.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "MultiSelectLayout.h"
#include "ProgramFiles.h"
#include "ProgressLayout.h"
#include "ScrollBarSkin.h"
#include "VirtualKeyboardLayout.h"
#include "model/KeyboardConfig.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

using model::CKeyboardConfig;
using model::kLanguageChinese;
using model::kLanguageEnglish;

COrvoApp::COrvoApp(CKeyboardConfig& config, skin::DialogService& dialogs, StartupOptions options)
    : config_(config), dialogs_(dialogs), options_(std::move(options)) {
    if (!options_.pause) {
        options_.pause = [](std::chrono::milliseconds duration) {
            // The notice of the search stays drawn meanwhile; the user's input waits.
            QEventLoop wait;
            QTimer::singleShot(duration, &wait, &QEventLoop::quit);
            wait.exec(QEventLoop::ExcludeUserInputEvents);
        };
    }
    if (options_.resourceFile.isEmpty()) {
        options_.resourceFile = ProgramFile(QLatin1String(kResourceFileName));
    }
}

void COrvoApp::detectKeyboard() {
    config_.deviceType = config_.device.DetectDeviceType();
    if (config_.deviceType != kDeviceTypeNone) {
        return;
    }
    // The retries take up to eleven seconds: the user sees what the program waits for.
    const std::unique_ptr<KeyboardSearchNotice> notice = showSearchNotice();
    for (int retry = 0; retry < kDetectionRetries && config_.deviceType == kDeviceTypeNone;
         ++retry) {
        // The keyboard may still be starting up: ask again, give it a second, then look.
        const int found = config_.device.DetectDeviceType();
        options_.pause(kRetryPause);
        config_.deviceType = found;
    }
}

std::unique_ptr<KeyboardSearchNotice> COrvoApp::showSearchNotice() {
    // Its picture comes from the resource file, which loadArtwork() loads again (and checks)
    // once the model is known.
    resources_.loadResourceFile(options_.resourceFile);
    auto notice = std::make_unique<KeyboardSearchNotice>(resources_,
                                                         skin::SkinnedDialog::ScreenScaleFactor());
    notice->show();
    notice->repaint();
    QCoreApplication::processEvents();
    return notice;
}

std::vector<int> COrvoApp::ArtworkIds(int deviceType) {
    const mainwin::FaceImages main = mainwin::FaceImagesFor(deviceType);
    // Every window adds its pictures here.
    std::vector<int> ids{main.base,
                         main.hover,
                         main.active,
                         progress::kImageBackground,
                         progress::kImageHover,
                         progress::kImageSelected,
                         firmware::kImageBackground,
                         firmware::kImageHover,
                         firmware::kImageSelected,
                         backlight::kSettingsImageBackground,
                         backlight::kSettingsImageHover,
                         backlight::kMultiSelectImageBackground,
                         backlight::kMultiSelectImageMarked,
                         skin::scrollbar_skin::kImage,
                         virtualkbd::kImageBackground,
                         virtualkbd::kImageHover,
                         virtualkbd::kImageSelected,
                         keyboard_search::kImageBackground};
    for (int id : keysettings::ImageIds(deviceType)) {
        ids.push_back(id);
    }
    return ids;
}

std::vector<int> COrvoApp::ReadyPictureIds() {
    return {progress::kImageBackground, progress::kImageHover, progress::kImageSelected};
}

void COrvoApp::loadArtwork() {
    const bool fileLoaded = resources_.loadResourceFile(options_.resourceFile);
    // Only looked for here: each picture is decoded when a window first draws from it.
    resources_.checkImages(ArtworkIds(config_.deviceType));
    if (fileLoaded && resources_.missingImages().empty()) {
        return;
    }
    QStringList missing;
    if (!fileLoaded) {
        missing << options_.resourceFile;
    } else {
        for (int id : resources_.missingImages()) {
            missing << QString::number(id);
        }
    }
    // Shown before the user could choose a language: in both.
    const QString what = missing.join(QStringLiteral(", "));
    const QString text = texts::Text(texts::Id::ArtworkMissing, kLanguageChinese)
                             .arg(QLatin1String(kResourceFileName), what) +
                         QStringLiteral("\n\n") +
                         texts::Text(texts::Id::ArtworkMissing, kLanguageEnglish)
                             .arg(QLatin1String(kResourceFileName), what);
    static_cast<void>(dialogs_.message(nullptr, text, QString::fromUtf8(texts::kProgramName),
                                       skin::MessageButtons::Ok, skin::MessageIcon::Exclamation));
}

int COrvoApp::run() {
    detectKeyboard();
    config_.BuildCodeTables();
    // Every start speaks Chinese, Qt's own dialogs included.
    dialogs_.setLanguage(config_.language);
    loadArtwork();
    {
        COrvoDlg window(config_, resources_, dialogs_, lane_, options_.mainWindow);
        RunAfterFirstPaint(window, [this] { resources_.keepDecoded(ReadyPictureIds()); });
        window.exec();
    }
    // A transfer the user cancelled may still be on its way: it ends before the program does.
    lane_.join();
    resources_.unloadResourceFile();
    return 0;
}

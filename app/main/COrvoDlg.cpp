// The main window's controller side: opening, the click dispatch, exit, the notification area
// and the keyboard being unplugged.
#include "COrvoDlg.h"

#include "COrvoDialogBkLightSettings.h"
#include "COrvoDialogFirmwareUpdate.h"
#include "COrvoDialogProgress.h"
#include "DeviceWatcher.h"
#include "DisplayLine.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "ProfileFiles.h"
#include "ProgramFiles.h"
#include "TransferLane.h"
#include "model/KeyboardConfig.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>

#include <algorithm>
#include <array>

namespace {

const QColor kColorKey(0, 0, 255);
constexpr int kClickGuardMs = 500;
constexpr int kRecheckWhileBusyMs = 500;
constexpr const char* kProfileFilter = "pro(*.pro)|*.pro|All Files(*.*)|*.*||";
constexpr const char* kProfileExtension = "pro";
constexpr const char* kHelpFileName = "Z9RT(PRSM)Ble.html";
// The backlight button's caption turns this colour while the keyboard lacks the colours.
const QColor kLightsNotOnKeyboardColor(255, 64, 64);

const skin::FileDialogOptions& ProfileDialog() {
    static const skin::FileDialogOptions options{QString::fromLatin1(kProfileFilter),
                                                 QString::fromLatin1(kProfileExtension)};
    return options;
}

}  // namespace

COrvoDlg::COrvoDlg(CKeyboardConfig& config, const skin::SkinResources& resources,
                   skin::DialogService& dialogs, TransferLane& lane, MainWindowOptions options,
                   QWidget* parent)
    : SkinnedDialog(resources, config.language, 1.0F, parent, Qt::Window),
      config_(config),
      dialogs_(dialogs),
      lane_(lane),
      options_(std::move(options)),
      icon_(QStringLiteral(":/icons/z9rt.png")) {
    clickGuardTimer_.setSingleShot(true);
    clickGuardTimer_.setInterval(kClickGuardMs);
    connect(&clickGuardTimer_, &QTimer::timeout, this, [this] { config_.clickGuard = 0; });
    // One look again after the transfer, however many changes come while it runs.
    recheckDevicesTimer_.setSingleShot(true);
    recheckDevicesTimer_.setInterval(kRecheckWhileBusyMs);
    connect(&recheckDevicesTimer_, &QTimer::timeout, this, &COrvoDlg::devicesChanged);
}

COrvoDlg::~COrvoDlg() = default;

int COrvoDlg::exec() {
    if (!initialize()) {
        return kResultCancel;
    }
    // Not the dialog's own modal run: that one ends as soon as the window is hidden, and the
    // window hides in the notification area. This run ends only in done().
    show();
    QEventLoop run;
    run_ = &run;
    run.exec(QEventLoop::DialogExec);
    run_ = nullptr;
    return result();
}

void COrvoDlg::done(int result) {
    ending_ = true;
    if (tray_ != nullptr) {
        tray_->hide();
    }
    SkinnedDialog::done(result);
    if (run_ != nullptr) {
        run_->exit(result);
    }
}

void COrvoDlg::accept() {
    exitWindow();
}

void COrvoDlg::reject() {
    exitWindow();
}

void COrvoDlg::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    // The window manager's close (Alt+F4, the task bar) asks like the exit button; the window
    // ends, if the user agrees, through done().
    event->ignore();
    exitWindow();
}

bool COrvoDlg::initialize() {
    if (!config_.device.__createDev()) {
        tellAboutKeyboard(texts::Id::KeyboardNotConnected);
        return false;
    }
    std::array<wchar_t, kVersionTextLength> version{};
    if (!config_.device.ReadKeyboardVersion(version.data())) {
        tellAboutKeyboard(texts::Id::KeyboardOccupied);
        return false;
    }
    setWindowIcon(icon_);
    setWindowTitle(modelName());

    config_.scaleFactor =
        options_.scaleFactor > 0.0F ? std::max(1.0F, options_.scaleFactor) : ScreenScaleFactor();
    setScaleFactor(config_.scaleFactor);

    const mainwin::FaceImages images = mainwin::FaceImagesFor(config_.deviceType);
    std::vector<skin::SkinItem> items;
    for (const skin::ItemSpec& entry : mainwin::MainWindowItems(config_.deviceType)) {
        items.push_back(skin::ItemFromSpec(entry));
    }
    openSkin({resources().picture(images.base), resources().picture(images.hover),
              resources().picture(images.active)},
             kColorKey, mainwin::kFaceSize, std::move(items));

    findItem(mainwin::kIndicatorNoneFn)->isSelected = true;
    findItem(mainwin::kIdLayerNoneFn)->isSelected = true;
    config_.currentLayer = LayerNoneFn;
    config_.ResetToDefaults();
    config_.keysDirty = 0;
    config_.clickGuard = 0;

    tray_ = new QSystemTrayIcon(icon_, this);
    tray_->setToolTip(modelName());
    trayMenu_ = new QMenu(this);
    trayShowAction_ = trayMenu_->addAction(QString(), this, &COrvoDlg::restoreFromTray);
    trayMenu_->addSeparator();
    trayExitAction_ = trayMenu_->addAction(QString(), this, &COrvoDlg::trayExit);
    updateTrayTexts();
    tray_->setContextMenu(trayMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, &COrvoDlg::trayActivated);

    displayLine_ = skin::CreateDisplayLine(*this, resources(), mainwin::kDisplayLineRect,
                                           mainwin::kDisplayLineFontSize, config_.scaleFactor);
    displayLine_->setObjectName(QStringLiteral("displayLine"));

    if (options_.watchDevices) {
        watcher_ = new DeviceWatcher(this);
        connect(watcher_, &DeviceWatcher::devicesChanged, this, &COrvoDlg::devicesChanged);
    }
    beforeCompose();
    return true;
}

QString COrvoDlg::modelName() const {
    return QString::fromUtf8(mainwin::ModelName(config_.deviceType));
}

skin::MessageAnswer COrvoDlg::ask(const QString& text, skin::MessageButtons buttons,
                                  skin::MessageIcon icon) {
    return dialogs_.message(this, text, modelName(), buttons, icon);
}

void COrvoDlg::tellAboutKeyboard(texts::Id id) {
    // Messages about the keyboard itself carry the program's name, as it may not be known
    // which model is (or was) attached. Before the window is placed (or while it sits in the
    // notification area) they show in the middle of the screen.
    static_cast<void>(dialogs_.message(
        isVisible() ? this : nullptr, texts::Text(id, config_.language),
        QString::fromUtf8(texts::kProgramName), skin::MessageButtons::Ok, skin::MessageIcon::None));
}

void COrvoDlg::itemClicked(skin::SkinItem& item) {
    if (config_.clickGuard != 0) {
        return;
    }
    switch (item.id) {
        case mainwin::kIdLanguage:
            toggleLanguage();
            break;
        case mainwin::kIdReadCounters:
            readCounters();
            break;
        case mainwin::kIdHelp:
            openHelp();
            break;
        case mainwin::kIdHide:
            hideToTray();
            break;
        case mainwin::kIdExit:
            exitWindow();
            break;
        case mainwin::kIdSave:
            saveProfile();
            break;
        case mainwin::kIdOpen:
            openProfile();
            break;
        case mainwin::kIdDefault:
            config_.ResetToDefaults();
            update();
            break;
        case mainwin::kIdWriteKeys:
            writeKeys();
            break;
        case mainwin::kIdReadAll:
            readAll();
            break;
        case mainwin::kIdBacklight:
            openBacklight();
            break;
        case mainwin::kIdFirmware:
            openFirmware();
            break;
        case mainwin::kIdLayerNoneFn:
        case mainwin::kIdLayerRightFn:
        case mainwin::kIdLayerLeftFn:
            selectLayer(item.id);
            break;
        default:
            if (item.id >= mainwin::kFirstKeyId) {
                editKey(item.keyValue);
            }
            break;
    }
}

void COrvoDlg::editKey(int key) {
    config_.selectedKey = key;
    COrvoDialogKeyMapSettings dialog(config_, resources(), dialogs_, captureNotice_,
                                     options_.keySettings, this);
    if (dialog.exec() == kResultOk) {
        config_.keysDirty = 1;
    }
    update();
}

void COrvoDlg::toggleLanguage() {
    skin::SkinItem* button = findItem(mainwin::kIdLanguage);
    button->isSelected = !button->isSelected;
    config_.language = button->isSelected ? kLanguageEnglish : kLanguageChinese;
    dialogs_.setLanguage(config_.language);
    updateTrayTexts();
    update();
}

void COrvoDlg::updateTrayTexts() {
    trayShowAction_->setText(texts::Text(texts::Id::TrayShow, config_.language));
    trayExitAction_->setText(texts::Text(texts::Id::TrayExit, config_.language));
}

void COrvoDlg::selectLayer(int buttonId) {
    skin::SkinItem* button = findItem(buttonId);
    if (button->isSelected) {
        return;
    }
    struct LayerControls {
        int button;
        int indicator;
        int layer;
    };
    static const std::array<LayerControls, 3> kLayers{{
        {mainwin::kIdLayerNoneFn, mainwin::kIndicatorNoneFn, LayerNoneFn},
        {mainwin::kIdLayerRightFn, mainwin::kIndicatorRightFn, LayerRightFn},
        {mainwin::kIdLayerLeftFn, mainwin::kIndicatorLeftFn, LayerLeftFn},
    }};
    for (const LayerControls& controls : kLayers) {
        const bool chosen = controls.button == buttonId;
        findItem(controls.button)->isSelected = chosen;
        findItem(controls.indicator)->isSelected = chosen;
        if (chosen) {
            config_.currentLayer = controls.layer;
        }
    }
    update();
}

int COrvoDlg::runJob(int jobNumber, bool* succeeded) {
    COrvoDialogProgress dialog(resources(), config_, lane_, options_.pauses, this);
    dialog.jobNumber = jobNumber;
    const int result = dialog.exec();
    *succeeded = dialog.transferSucceeded();
    return result;
}

void COrvoDlg::showTransferOutcome(bool succeeded) {
    if (succeeded) {
        ask(texts::Text(texts::Id::TransferDone, config_.language), skin::MessageButtons::Ok,
            skin::MessageIcon::Exclamation);
    } else {
        ask(texts::Text(texts::Id::TransferFailed, config_.language), skin::MessageButtons::Ok,
            skin::MessageIcon::Error);
    }
}

void COrvoDlg::writeKeys() {
    bool succeeded = false;
    if (runJob(kJobWriteKeys, &succeeded) != kResultOk) {
        return;
    }
    if (succeeded) {
        config_.keysDirty = 0;
    }
    showTransferOutcome(succeeded);
}

void COrvoDlg::readAll() {
    bool succeeded = false;
    if (runJob(kJobReadAll, &succeeded) == kResultOk) {
        if (succeeded) {
            setLightsOnKeyboard(true);
        }
        showTransferOutcome(succeeded);
    }
    update();
}

void COrvoDlg::readCounters() {
    bool succeeded = false;
    if (runJob(kJobReadCounters, &succeeded) == kResultOk && !succeeded) {
        showTransferOutcome(false);
    }
    update();
}

void COrvoDlg::openBacklight() {
    COrvoDialogBkLightSettings dialog(resources(), config_, dialogs_, lane_, options_.pauses, this);
    dialog.exec();
    switch (dialog.keyboardColours()) {
        case COrvoDialogBkLightSettings::KeyboardColours::Written:
        case COrvoDialogBkLightSettings::KeyboardColours::ReadBack:
            setLightsOnKeyboard(true);
            break;
        case COrvoDialogBkLightSettings::KeyboardColours::WriteFailed:
            setLightsOnKeyboard(false);
            break;
        case COrvoDialogBkLightSettings::KeyboardColours::Untouched:
            break;
    }
    update();
}

void COrvoDlg::setLightsOnKeyboard(bool onKeyboard) {
    if (skin::SkinItem* caption = findItem(mainwin::kLabelBacklight)) {
        caption->textColor =
            onKeyboard ? skin::ToQColor(skin::kDefaultTextColor) : kLightsNotOnKeyboardColor;
    }
}

void COrvoDlg::openFirmware() {
    COrvoDialogFirmwareUpdate dialog(resources(), config_, dialogs_, lane_, this);
    dialog.exec();
    update();
}

void COrvoDlg::saveProfile() {
    const QString path = dialogs_.saveFileName(this, ProfileDialog());
    if (!path.isEmpty()) {
        if (const std::optional<QString> failure = SaveProfileFile(config_, path)) {
            ask(texts::Text(texts::Id::ProfileSaveFailed, config_.language).arg(path, *failure),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
        }
    }
    update();
}

void COrvoDlg::openProfile() {
    const QString path = dialogs_.openFileName(this, ProfileDialog());
    if (!path.isEmpty()) {
        if (const std::optional<QString> failure = LoadProfileFile(config_, path)) {
            ask(texts::Text(texts::Id::ProfileLoadFailed, config_.language).arg(path, *failure),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
        }
    }
    update();
    // The click that closed the file dialog must not reach the window.
    config_.clickGuard = 1;
    clickGuardTimer_.start();
}

void COrvoDlg::openHelp() {
    const QString path =
        options_.helpFile.isEmpty() ? ProgramFile(QLatin1String(kHelpFileName)) : options_.helpFile;
    if (!dialogs_.openUrl(QUrl::fromLocalFile(path))) {
        ask(texts::Text(texts::Id::HelpUnavailable, config_.language).arg(path),
            skin::MessageButtons::Ok, skin::MessageIcon::Error);
    }
}

bool COrvoDlg::trayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool COrvoDlg::inTray() const {
    return tray_ != nullptr && tray_->isVisible();
}

QString COrvoDlg::trayMenuText() const {
    return trayExitAction_ != nullptr ? trayExitAction_->text() : QString();
}

void COrvoDlg::hideToTray() {
    if (!trayAvailable()) {
        // Without a notification area a hidden window could not be brought back.
        showMinimized();
        return;
    }
    tray_->show();
    hide();
}

void COrvoDlg::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    // A double click brings the window back; so does a single one, which is all that many
    // Linux notification areas deliver.
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) {
        restoreFromTray();
    }
}

void COrvoDlg::restoreFromTray() {
    showNormal();
    raise();
    activateWindow();
    tray_->hide();
}

void COrvoDlg::trayExit() {
    // The questions are about this window's configuration: they come with the window.
    if (inTray()) {
        restoreFromTray();
    }
    exitWindow();
}

void COrvoDlg::exitWindow() {
    const skin::MessageButtons yesNo = skin::MessageButtons::YesNo;
    if (config_.keysDirty != 0 &&
        ask(texts::Text(texts::Id::ExitUnwritten, config_.language), yesNo,
            skin::MessageIcon::Question) == skin::MessageAnswer::No) {
        return;
    }
    if (ask(texts::Text(texts::Id::ExitSaveQuestion, config_.language), yesNo,
            skin::MessageIcon::Question) == skin::MessageAnswer::Yes) {
        const QString path = dialogs_.saveFileName(this, ProfileDialog());
        update();
        // The user wanted the configuration kept: without a file (the dialog was cancelled)
        // or when it cannot be written, the window stays, so nothing is lost.
        if (path.isEmpty()) {
            return;
        }
        if (const std::optional<QString> failure = SaveProfileFile(config_, path)) {
            ask(texts::Text(texts::Id::ProfileSaveFailed, config_.language).arg(path, *failure),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
            return;
        }
    }
    done(kResultOk);
}

void COrvoDlg::devicesChanged() {
    if (unplugReported_) {
        return;  // the message is up; changes that come meanwhile say nothing new
    }
    if (lane_.busy()) {
        // A worker has the keyboard: look again once it is done with it.
        recheckDevicesTimer_.start();
        return;
    }
    if (!config_.device.DetectDevice()) {
        unplugReported_ = true;
        tellAboutKeyboard(texts::Id::KeyboardUnplugged);
        done(kResultCancel);
    }
}

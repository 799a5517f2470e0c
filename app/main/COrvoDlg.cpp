// The main window's controller side: opening, the click dispatch, exit, the notification area
// and the keyboard being unplugged.
#include "COrvoDlg.h"

#include "COrvoDialogBkLightSettings.h"
#include "COrvoDialogFirmwareUpdate.h"
#include "COrvoDialogProgress.h"
#include "DeviceWatcher.h"
#include "DisplayLine.h"
#include "FirmwareKeyBackup.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "ProfileFiles.h"
#include "ProgramFiles.h"
#include "SessionChanges.h"
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

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::kLanguageChinese;
using model::kLanguageEnglish;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;
using model::TransferJobKind;

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
      preferences_(options_.preferencesFile),
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
    if (!ending_ && findItem(mainwin::kIdLanguage) != nullptr) {
        preferences_.setWindowPosition(pos());
    }
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
    // First of all: the messages about the keyboard speak the language too.
    takeRememberedLanguage();
    if (!config_.device.__createDev()) {
        tellAboutKeyboard(texts::Id::KeyboardNotConnected);
        return false;
    }
    std::array<wchar_t, kVersionTextLength> version{};
    if (!config_.device.ReadKeyboardVersion(version.data())) {
        if (!goOnWithoutKeyboard()) {
            return false;
        }
        // Every transfer fails at once instead of waiting for a keyboard that does not answer.
        keyboardUsable_ = false;
        static_cast<void>(config_.device.__closeDev());
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

    takeRememberedPosition();
    findItem(mainwin::kIdLanguage)->isSelected = config_.language == kLanguageEnglish;
    findItem(mainwin::kIndicatorNoneFn)->isSelected = true;
    findItem(mainwin::kIdLayerNoneFn)->isSelected = true;
    config_.currentLayer = LayerNoneFn;
    config_.ResetToDefaults();
    config_.keysDirty = 0;
    config_.clickGuard = 0;
    runStart_ = config_;
    history_.start(config_);

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

    // Without the keyboard there is nothing whose going away would end the program.
    if (options_.watchDevices && keyboardUsable_) {
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

int COrvoDlg::askQuestion(texts::Id text, const QStringList& buttons, int defaultButton,
                          int escapeButton) {
    skin::Question question;
    question.text = texts::Text(text, config_.language);
    question.caption = modelName();
    question.buttons = buttons;
    question.defaultButton = defaultButton;
    question.escapeButton = escapeButton;
    return dialogs_.ask(this, question);
}

skin::Question COrvoDlg::keyboardQuestion(texts::Id happened, texts::Id offer,
                                          texts::Id firstButton, texts::Id secondButton) const {
    skin::Question question;
    question.text = texts::Text(happened, config_.language) + QStringLiteral("\n\n") +
                    texts::Text(offer, config_.language);
    // As the other messages about the keyboard, under the program's name.
    question.caption = QString::fromUtf8(texts::kProgramName);
    question.icon = skin::MessageIcon::Exclamation;
    question.buttons = {texts::Text(firstButton, config_.language),
                        texts::Text(secondButton, config_.language)};
    return question;
}

bool COrvoDlg::goOnWithoutKeyboard() {
    skin::Question question =
        keyboardQuestion(texts::Id::KeyboardOccupied, texts::Id::GoOnWithoutKeyboard,
                         texts::Id::GoOnWithoutKeyboardButton, texts::Id::QuitButton);
    question.defaultButton = kGoOnWithoutKeyboard;
    question.escapeButton = kQuitWithoutKeyboard;
    // The window is not placed yet: the question shows in the middle of the screen.
    return dialogs_.ask(nullptr, question) == kGoOnWithoutKeyboard;
}

bool COrvoDlg::keyboardAvailableForTransfers() {
    if (!keyboardUsable_) {
        ask(texts::Text(texts::Id::KeyboardNotUsable, config_.language), skin::MessageButtons::Ok,
            skin::MessageIcon::Exclamation);
    }
    return keyboardUsable_;
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
        case mainwin::kIdReadCounters:
        case mainwin::kIdWriteKeys:
        case mainwin::kIdReadAll:
        case mainwin::kIdFirmware:
            if (!keyboardAvailableForTransfers()) {
                return;
            }
            break;
        default:
            break;
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
        case mainwin::kIdHeatMap:
            showHeatMap(!heatMapShown_);
            break;
        case mainwin::kIdVerifyWrites:
            toggleVerifyWrites();
            break;
        default:
            if (item.id >= mainwin::kFirstKeyId) {
                editKey(item.keyValue);
            }
            break;
    }
    noteChange(item);
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
    preferences_.setLanguage(config_.language);
    updateTrayTexts();
    update();
}

void COrvoDlg::takeRememberedLanguage() {
    if (const std::optional<std::string> language = preferences_.language();
        language && *language != config_.language) {
        config_.language = *language;
        dialogs_.setLanguage(config_.language);
    }
}

void COrvoDlg::takeRememberedPosition() {
    const std::optional<QPoint> position = preferences_.windowPosition();
    if (!position) {
        return;
    }
    // Its title strip must be on a screen (a screen may have gone since): else the window
    // opens in the middle, as at a first start.
    constexpr int kTitleStrip = 20;
    if (QGuiApplication::screenAt(*position + QPoint(width() / 2, kTitleStrip)) != nullptr) {
        move(*position);
    }
}

void COrvoDlg::updateTrayTexts() {
    trayShowAction_->setText(texts::Text(texts::Id::TrayShow, config_.language));
    trayExitAction_->setText(texts::Text(texts::Id::TrayExit, config_.language));
}

void COrvoDlg::selectLayer(int buttonId) {
    // A layer button brings the layer view back, the layer shown before included.
    showHeatMap(false);
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

int COrvoDlg::runJob(TransferJobKind job, bool* succeeded) {
    COrvoDialogProgress dialog(resources(), config_, lane_, options_.pauses, this);
    dialog.job = job;
    transferShowing_ = true;
    const int result = dialog.exec();
    transferShowing_ = false;
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
    if (!keyboardKeysKnown_ && !readyToWriteOverUnseenKeys()) {
        return;
    }
    bool succeeded = false;
    if (runJob(TransferJobKind::WriteKeys, &succeeded) != kResultOk) {
        return;
    }
    if (succeeded && verifyWrites_ && !writtenKeysReadBack()) {
        return;
    }
    if (succeeded) {
        config_.keysDirty = 0;
        keyboardKeysKnown_ = true;
        history_.markOnKeyboard(config_);
    } else if (endIfKeyboardGone()) {
        return;
    }
    showTransferOutcome(succeeded);
}

bool COrvoDlg::readyToWriteOverUnseenKeys() {
    const QString cancel = skin::ButtonText(skin::StandardButton::Cancel, config_.language);
    switch (askQuestion(texts::Id::WriteOverUnseenKeys,
                        {texts::Text(texts::Id::ReadKeyboardFirstButton, config_.language),
                         texts::Text(texts::Id::WriteAnywayButton, config_.language), cancel},
                        kReadKeyboardFirst, kCancelWrite)) {
        case kReadKeyboardFirst:
            return readKeyboardKeepingChanges();
        case kWriteAnyway:
            return true;
        default:
            return false;
    }
}

bool COrvoDlg::readKeyboardKeepingChanges() {
    const CKeyboardProfile beforeRead = config_;
    bool succeeded = false;
    if (runJob(TransferJobKind::ReadAll, &succeeded) != kResultOk) {
        return false;
    }
    if (!succeeded) {
        if (!endIfKeyboardGone()) {
            showTransferOutcome(false);
        }
        return false;
    }
    history_.markOnKeyboard(config_);
    KeepChangesOfThisRun(config_, beforeRead, runStart_);
    keyboardKeysKnown_ = true;
    update();
    return true;
}

void COrvoDlg::readAll() {
    bool succeeded = false;
    if (runJob(TransferJobKind::ReadAll, &succeeded) == kResultOk) {
        if (succeeded) {
            setLightsOnKeyboard(true);
            keyboardKeysKnown_ = true;
            history_.markOnKeyboard(config_);
        } else if (endIfKeyboardGone()) {
            return;
        }
        showTransferOutcome(succeeded);
    }
    update();
}

void COrvoDlg::readCounters() {
    bool succeeded = false;
    if (runJob(TransferJobKind::ReadCounters, &succeeded) == kResultOk && !succeeded &&
        !endIfKeyboardGone()) {
        showTransferOutcome(false);
    }
    update();
}

void COrvoDlg::openBacklight() {
    COrvoDialogBkLightSettings dialog(resources(), config_, dialogs_, lane_, options_.pauses, this);
    dialog.setVerifyWrites(verifyWrites_);
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
    FirmwareKeyBackup backup(resources(), config_, dialogs_, lane_, options_.pauses,
                             options_.backupFolder);
    dialog.setKeyBackup(&backup);
    dialog.exec();
    update();
}

void COrvoDlg::saveProfile() {
    const QString path = dialogs_.saveFileName(this, ProfileDialog());
    if (!path.isEmpty()) {
        if (const std::optional<QString> failure = SaveProfileFile(config_, path)) {
            ask(texts::Text(texts::Id::ProfileSaveFailed, config_.language).arg(path, *failure),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
        } else {
            history_.markSaved(config_);
        }
    }
    update();
}

void COrvoDlg::openProfile() {
    const QString path = dialogs_.openFileName(this, ProfileDialog());
    if (!path.isEmpty()) {
        QString keptNote;
        if (const std::optional<QString> failure = LoadProfileFile(config_, path, keptNote)) {
            ask(texts::Text(texts::Id::ProfileLoadFailed, config_.language).arg(path, *failure),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
        } else {
            keyboardKeysKnown_ = true;  // the user chose what the keyboard is to hold
            history_.markSaved(config_);
            if (!keptNote.isEmpty()) {
                ask(keptNote, skin::MessageButtons::Ok, skin::MessageIcon::Exclamation);
            }
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

bool COrvoDlg::saveToChosenProfile() {
    const QString path = dialogs_.saveFileName(this, ProfileDialog());
    update();
    if (path.isEmpty()) {
        return false;
    }
    if (const std::optional<QString> failure = SaveProfileFile(config_, path)) {
        ask(texts::Text(texts::Id::ProfileSaveFailed, config_.language).arg(path, *failure),
            skin::MessageButtons::Ok, skin::MessageIcon::Error);
        return false;
    }
    history_.markSaved(config_);
    return true;
}

void COrvoDlg::exitWindow() {
    const auto button = [this](skin::StandardButton which) {
        return skin::ButtonText(which, config_.language);
    };
    // Enter, Escape and the question's close box answer what keeps the user's work: "No"
    // keeps the window with its unwritten changes; the save question's "Cancel" stays too.
    if (config_.keysDirty != 0 &&
        askQuestion(texts::Id::ExitUnwritten,
                    {button(skin::StandardButton::Yes), button(skin::StandardButton::No)}, kExitNo,
                    kExitNo) != kExitYes) {
        return;
    }
    // What a profile holds already needs no saving (undo may have led back to it).
    if (history_.atSavedProfile(config_)) {
        done(kResultOk);
        return;
    }
    switch (askQuestion(texts::Id::ExitSaveQuestion,
                        {button(skin::StandardButton::Yes), button(skin::StandardButton::No),
                         button(skin::StandardButton::Cancel)},
                        kExitYes, kExitCancel)) {
        case kExitYes:
            // The user wanted the configuration kept: without a file (the dialog was
            // cancelled) or when it cannot be written, the window stays, so nothing is lost.
            if (!saveToChosenProfile()) {
                return;
            }
            break;
        case kExitNo:
            break;
        default:
            return;
    }
    done(kResultOk);
}

bool COrvoDlg::endIfKeyboardGone() {
    if (unplugReported_) {
        return true;
    }
    if (config_.device.DetectDevice()) {
        return false;
    }
    keyboardGone();
    return true;
}

void COrvoDlg::keyboardGone() {
    unplugReported_ = true;
    if (config_.keysDirty == 0) {
        tellAboutKeyboard(texts::Id::KeyboardUnplugged);
    } else {
        // One message: that the keyboard is gone, and an offer to keep what it never got.
        skin::Question question =
            keyboardQuestion(texts::Id::KeyboardUnplugged, texts::Id::UnpluggedSaveQuestion,
                             texts::Id::SaveButton, texts::Id::QuitWithoutSavingButton);
        question.defaultButton = kSaveBeforeQuitting;
        // Neither Escape nor the close box answers: the program ends either way, and only
        // the user may choose to lose the changes.
        question.escapeButton = -1;
        while (dialogs_.ask(isVisible() ? this : nullptr, question) == kSaveBeforeQuitting &&
               !saveToChosenProfile()) {
        }
    }
    done(kResultCancel);
}

void COrvoDlg::devicesChanged() {
    if (unplugReported_ || !keyboardUsable_) {
        return;  // the message is up; changes that come meanwhile say nothing new
    }
    if (lane_.busy() || transferShowing_) {
        // A transfer has the keyboard, or its outcome is still to be told: look again once
        // it is done with it.
        recheckDevicesTimer_.start();
        return;
    }
    if (!config_.device.DetectDevice()) {
        keyboardGone();
    }
}

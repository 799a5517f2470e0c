#include "COrvoDialogFirmwareUpdate.h"

#include "FirmwareDownload.h"
#include "FirmwareKeyBackup.h"
#include "FirmwareLayout.h"
#include "FirmwareTexts.h"
#include "FittingFont.h"
#include "MessageGate.h"
#include "TransferLane.h"
#include "model/FirmwareFile.h"
#include "model/FirmwareFileName.h"
#include "model/KeyboardConfig.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <memory>

using model::CKeyboardConfig;
using model::FirmwareFile;
using model::FirmwareFileProblem;
using model::FirmwareModelCaption;
using model::FirmwareNameFitsModel;
using model::ReadFirmwareFile;

namespace {

constexpr int kProgressEnd = 150;  // the library's progress scale
constexpr int kFullPercent = 100;
// What a line edit keeps free around its text.
constexpr int kBoxTextMargins = 4;
// The firmware is Intel HEX text, which is often named ".hex": such files are offered after
// the ".bin" ones, and any file after those.
constexpr const char* kFirmwareFilter = "bin(*.bin)|*.bin|hex(*.hex)|*.hex|All Files(*.*)|*.*||";
constexpr const char* kFirmwareExtension = "bin";

}  // namespace

COrvoDialogFirmwareUpdate::COrvoDialogFirmwareUpdate(const skin::SkinResources& resources,
                                                     CKeyboardConfig& config,
                                                     skin::DialogService& dialogs,
                                                     TransferLane& lane, QWidget* parent)
    : SkinnedDialog(resources, config.language, config.scaleFactor, parent, Qt::Dialog),
      config_(config),
      dialogs_(dialogs),
      lane_(lane) {}

// A download still running goes on without the window: the lane keeps its worker, and its
// messages are dropped once the window's gate is closed.
COrvoDialogFirmwareUpdate::~COrvoDialogFirmwareUpdate() = default;

void COrvoDialogFirmwareUpdate::initialize() {
    const skin::SkinResources& art = resources();
    openSkin({art.picture(firmware::kImageBackground), art.picture(firmware::kImageHover),
              art.picture(firmware::kImageSelected)},
             skin::ToQColor(firmware::kColorKey), firmware::kFaceSize,
             skin::ItemsFromSpecs(firmware::FirmwareItems()));
    takeTitleFrom(firmware::kLabelTitle);
    ready_ = true;
    progress_ = 0;
    config_.jobWindow = messageHandle();
    versionBox_ = makeDisplayBox(firmware::kVersionBoxRect, QStringLiteral("versionBox"));
    pathBox_ = makeDisplayBox(firmware::kPathBoxRect, QStringLiteral("pathBox"));
    queryVersion();
}

int COrvoDialogFirmwareUpdate::exec() {
    initialize();
    return SkinnedDialog::exec();
}

QLineEdit* COrvoDialogFirmwareUpdate::makeDisplayBox(const skin::DesignRect& rect,
                                                     const QString& name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    // Read only, so it shows no caret; the text can still be selected and copied.
    box->setReadOnly(true);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setFocusPolicy(Qt::ClickFocus);
    placeDisplayBox(*box, rect, firmware::kBoxTextSize);
    return box;
}

QString COrvoDialogFirmwareUpdate::versionText() const {
    return versionBox_ != nullptr ? versionBox_->text() : QString();
}

QString COrvoDialogFirmwareUpdate::pathText() const {
    return pathBox_ != nullptr ? pathBox_->text() : QString();
}

void COrvoDialogFirmwareUpdate::tell(const QString& text, const QString& caption,
                                     skin::MessageIcon icon) {
    static_cast<void>(dialogs_.message(this, text, caption, skin::MessageButtons::Ok, icon));
}

void COrvoDialogFirmwareUpdate::tell(const QString& text) {
    tell(text, skin::ApplicationTitle(), skin::MessageIcon::None);
}

void COrvoDialogFirmwareUpdate::queryVersion() {
    // The keyboard has one connection: a query in the middle of a transfer would mix its
    // answer into the transfer's reports.
    if (downloading_ || lane_.busy()) {
        tell(firmware::Text(firmware::Message::Busy, config_.language));
        return;
    }
    wchar_t version[kVersionTextLength] = {};
    // A keyboard that does not answer keeps the window waiting for up to a second.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool answered = config_.device.ReadKeyboardVersion(version);
    QApplication::restoreOverrideCursor();
    if (answered) {
        const QString text = QString::fromWCharArray(version);
        // The whole version shows, in smaller letters where it is long.
        versionBox_->setFont(skin::FittingFont(
            resources().font(static_cast<int>(firmware::kBoxTextSize * scaleFactor())),
            versionBox_->contentsRect().adjusted(0, 0, -kBoxTextMargins, 0),
            Qt::AlignLeft | Qt::AlignVCenter, text));
        versionBox_->setText(text);
        // From its beginning: the model's name comes first.
        versionBox_->setCursorPosition(0);
    } else {
        tell(firmware::Text(firmware::Message::VersionFailed, config_.language));
    }
}

void COrvoDialogFirmwareUpdate::openFile() {
    const QString path = dialogs_.openFileName(
        this, {QString::fromLatin1(kFirmwareFilter), QString::fromLatin1(kFirmwareExtension)});
    if (path.isEmpty()) {
        return;
    }
    fileName_ = QFileInfo(path).fileName();
    if (!FirmwareNameFitsModel(fileName_.toStdWString(), config_.deviceType)) {
        tell(firmware::MismatchText(config_.deviceType, config_.language),
             QString::fromStdWString(std::wstring(FirmwareModelCaption(config_.deviceType))),
             skin::MessageIcon::Exclamation);
        return;
    }
    firmwarePath_ = path;
    // The end of a long path shows, with the file's name; the whole path is its tip.
    pathBox_->setText(path);
    pathBox_->setToolTip(path);
    // A download under way keeps Update shut until it ends; the new file is next.
    if (!downloading_) {
        ready_ = true;
    }
}

void COrvoDialogFirmwareUpdate::startDownload() {
    if (!FirmwareNameFitsModel(fileName_.toStdWString(), config_.deviceType)) {
        tell(firmware::Text(firmware::Message::DoesNotMatch, config_.language),
             QString::fromStdWString(std::wstring(FirmwareModelCaption(config_.deviceType))),
             skin::MessageIcon::Exclamation);
        return;
    }
    if (!ready_ || downloading_) {
        return;
    }
    if (lane_.busy()) {
        tell(firmware::Text(firmware::Message::EarlierTransfer, config_.language));
        return;
    }

    // The file is judged whole before the keyboard hears anything.
    FirmwareFile file = ReadFirmwareFile(QFile::encodeName(firmwarePath_).toStdString());
    const QString name = QFileInfo(firmwarePath_).fileName();
    if (file.problem == FirmwareFileProblem::BadRecords) {
        tell(firmware::RefusalText(file, name, config_.language), skin::ApplicationTitle(),
             skin::MessageIcon::Exclamation);
        return;
    }
    if (!file.ok()) {
        // A file that cannot be read needs a new pick with Open.
        ready_ = false;
        tell(firmware::RefusalText(file, name, config_.language));
        return;
    }

    if (keyBackup_ != nullptr && !keyBackup_->takeBeforeDownload(this, versionText())) {
        return;
    }
    config_.firmwarePath = firmwarePath_.toStdWString();
    config_.jobWindow = messageHandle();
    const WindowHandle window = messageHandle();
    COrvoHWI* device = &config_.device;
    // The worker owns the text: it may outlive this window.
    auto text = std::make_shared<const std::string>(std::move(file.check.normalizedText));
    const bool started = lane_.start([device, text, window] {
        const FirmwareOutcome outcome = DownloadFirmware(*device, *text, window);
        static_cast<void>(
            PostWindowMessage(window, WM_DEVICE_DONE, static_cast<std::uintptr_t>(outcome), 0));
    });
    if (!started) {
        tell(firmware::Text(firmware::Message::EarlierTransfer, config_.language));
        return;
    }
    ready_ = false;
    downloading_ = true;
    progress_ = 1;
    update();
}

void COrvoDialogFirmwareUpdate::messageReceived(std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t) {
    if (closed_) {
        return;
    }
    if (message == WM_DEVICE_PROGRESS) {
        progress_ = static_cast<int>(wParam) * kFullPercent / kProgressEnd;
        ready_ = false;
        update(barArea());
    } else if (message == WM_DEVICE_DONE) {
        downloadEnded(static_cast<int>(wParam));
    }
}

void COrvoDialogFirmwareUpdate::downloadEnded(int outcome) {
    if (downloading_) {
        // The worker has posted its last message and is about to end.
        lane_.join();
        downloading_ = false;
    }
    if (waitQuestionUp_) {
        // Nothing is left to wait for.
        dialogs_.withdraw(this);
    }
    switch (outcome) {
        case kFirmwareDownloaded:
            ready_ = true;
            tell(firmware::Text(firmware::Message::Downloaded, config_.language));
            if (keyBackup_ != nullptr) {
                keyBackup_->offerRestore(this);
            }
            break;
        case kFirmwareFailed:
            ready_ = true;
            tell(firmware::Text(firmware::Message::DownloadFailed, config_.language));
            break;
        case kFirmwareNoAnswer:
            ready_ = true;
            tell(firmware::Text(firmware::Message::NoAnswer, config_.language));
            break;
        case kFirmwareCannotOpen:
            tell(firmware::Text(firmware::Message::CannotOpen, config_.language));
            break;
        default:
            break;
    }
}

void COrvoDialogFirmwareUpdate::itemClicked(skin::SkinItem& item) {
    switch (item.id) {
        case firmware::kIdGetVersion:
            queryVersion();
            break;
        case firmware::kIdOpen:
            openFile();
            break;
        case firmware::kIdUpdate:
            startDownload();
            break;
        case firmware::kIdClose:
        case firmware::kIdCancel:
            closeWindow(kResultCancel);
            break;
        default:
            break;
    }
}

void COrvoDialogFirmwareUpdate::accept() {
    closeWindow(kResultOk);
}

void COrvoDialogFirmwareUpdate::reject() {
    closeWindow(kResultCancel);
}

void COrvoDialogFirmwareUpdate::closeWindow(int result) {
    if (downloading_) {
        skin::Question question;
        question.text = firmware::Text(firmware::Message::WaitForDownload, config_.language);
        question.caption = skin::ApplicationTitle();
        question.buttons = {skin::ButtonText(skin::StandardButton::Yes, config_.language),
                            skin::ButtonText(skin::StandardButton::No, config_.language)};
        question.defaultButton = kWaitForDownload;
        question.escapeButton = kWaitForDownload;
        waitQuestionUp_ = true;
        const int answer = dialogs_.ask(this, question);
        waitQuestionUp_ = false;
        // A download that ended while the question was up took it back: the window stays,
        // as after any download, with its outcome told.
        if (answer == kWaitForDownload || !downloading_) {
            return;
        }
    }
    ready_ = true;
    progress_ = 0;
    // A download still running finishes without the window: nothing it posts reaches it now,
    // and what it posted before is dropped.
    skin::message_gate::Close(messageHandle());
    closed_ = true;
    done(result);
}

QRect COrvoDialogFirmwareUpdate::barArea() const {
    const skin::DesignRect& bar = firmware::kBarRect;
    const float s = scaleFactor();
    return QRect(static_cast<int>(bar.left * s), static_cast<int>(bar.top * s),
                 static_cast<int>(bar.width() * s) + 1, static_cast<int>(bar.height() * s) + 1);
}

void COrvoDialogFirmwareUpdate::paintOverlay(QPainter& painter) {
    const int width =
        std::min(progress_ * firmware::kBarMaxWidth / kFullPercent, firmware::kBarMaxWidth);
    if (width <= 0) {
        return;
    }
    const skin::DesignRect& bar = firmware::kBarRect;
    CopyArea(painter, faces().selected.image(), QRect(bar.left, bar.top, width, bar.height()));
}

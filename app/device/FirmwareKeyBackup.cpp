#include "FirmwareKeyBackup.h"

#include "COrvoDialogProgress.h"
#include "FirmwareTexts.h"
#include "model/DefaultKeyTables.h"
#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::JobPauses;
using model::ModelName;
using model::TransferJobKind;
using profile::ProfileResult;
using profile::ProfileStatus;
using profile::SaveProfile;

namespace {

constexpr const char* kFolder = "Z9RT/backups";

// Whether the model has a backlight whose colours a backup holds.
bool HasBacklight(int deviceType) {
    return deviceType != kDeviceTypeSBle && deviceType != kDeviceTypeS;
}

// The configuration's keys and colours, put back as they were when it ends.
class ProfileKeeper {
public:
    explicit ProfileKeeper(CKeyboardConfig& config) : config_(config), kept_(config) {}
    ~ProfileKeeper() { static_cast<CKeyboardProfile&>(config_) = kept_; }
    ProfileKeeper(const ProfileKeeper&) = delete;
    ProfileKeeper& operator=(const ProfileKeeper&) = delete;

private:
    CKeyboardConfig& config_;
    CKeyboardProfile kept_;
};

}  // namespace

FirmwareKeyBackup::FirmwareKeyBackup(const skin::SkinResources& resources, CKeyboardConfig& config,
                                     skin::DialogService& dialogs, TransferLane& lane,
                                     JobPauses pauses, QString folder)
    : resources_(resources),
      config_(config),
      dialogs_(dialogs),
      lane_(lane),
      pauses_(std::move(pauses)),
      folder_(folder.isEmpty() ? BackupFolder() : std::move(folder)) {}

QString FirmwareKeyBackup::BackupFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/") + QLatin1String(kFolder);
}

QString FirmwareKeyBackup::FileName(int deviceType, const QDateTime& when, const QString& version) {
    const std::wstring_view model = ModelName(deviceType);
    QString name =
        QString::fromWCharArray(model.data(), static_cast<qsizetype>(model.size())) +
        QStringLiteral(" ") + when.toString(QStringLiteral("yyyy-MM-dd HHmmss")) +
        QStringLiteral(" ") +
        (version.trimmed().isEmpty() ? QStringLiteral("unknown version") : version.trimmed());
    // Folder separators and the characters other systems refuse.
    static const QRegularExpression kRefused(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.replace(kRefused, QStringLiteral("_"));
    return name + QStringLiteral(".pro");
}

void FirmwareKeyBackup::tell(QWidget* window, const QString& text, skin::MessageIcon icon) {
    static_cast<void>(
        dialogs_.message(window, text, skin::ApplicationTitle(), skin::MessageButtons::Ok, icon));
}

bool FirmwareKeyBackup::runOnBackup(TransferJobKind job, QWidget* window, bool keepWhatWasRead) {
    ProfileKeeper keeper(config_);
    if (backup_) {
        static_cast<CKeyboardProfile&>(config_) = *backup_;
    }
    const COrvoDialogProgress::Outcome outcome =
        COrvoDialogProgress::Run(job, resources_, config_, lane_, pauses_, window);
    const bool succeeded = outcome.result == skin::SkinnedDialog::kResultOk && outcome.succeeded;
    if (succeeded && keepWhatWasRead) {
        backup_ = static_cast<const CKeyboardProfile&>(config_);
    }
    return succeeded;
}

bool FirmwareKeyBackup::takeBeforeDownload(QWidget* window, const QString& firmwareVersion) {
    backup_.reset();
    savedPath_.clear();
    const std::string& language = config_.language;
    QString failure;
    if (!runOnBackup(TransferJobKind::ReadAll, window, true)) {
        failure = firmware::Text(firmware::Message::BackupReadFailed, language);
    } else {
        const QString path =
            folder_ + QStringLiteral("/") +
            FileName(config_.deviceType, QDateTime::currentDateTime(), firmwareVersion);
        ProfileKeeper keeper(config_);
        static_cast<CKeyboardProfile&>(config_) = *backup_;
        const ProfileResult saved =
            QDir().mkpath(folder_)
                ? SaveProfile(config_, std::filesystem::path(QFile::encodeName(path).toStdString()))
                : ProfileResult{ProfileStatus::CannotWrite, folder_.toStdString()};
        if (saved.Ok()) {
            savedPath_ = path;
            tell(window, firmware::Text(firmware::Message::BackupSaved, language).arg(path),
                 skin::MessageIcon::Information);
            return true;
        }
        failure = firmware::Text(firmware::Message::BackupSaveFailed, language)
                      .arg(path, QString::fromStdString(saved.Message()));
        backup_.reset();
    }
    skin::Question question;
    question.text = failure + QStringLiteral("\n\n") +
                    firmware::Text(firmware::Message::NoBackupQuestion, language);
    question.caption = skin::ApplicationTitle();
    question.icon = skin::MessageIcon::Exclamation;
    question.buttons = {firmware::Text(firmware::Message::DownloadWithoutBackupButton, language),
                        skin::ButtonText(skin::StandardButton::Cancel, language)};
    question.defaultButton = kCancelDownload;
    question.escapeButton = kCancelDownload;
    return dialogs_.ask(window, question) == kDownloadWithoutBackup;
}

void FirmwareKeyBackup::offerRestore(QWidget* window) {
    if (!backup_) {
        return;
    }
    const std::string& language = config_.language;
    skin::Question question;
    question.text = firmware::Text(firmware::Message::RestoreQuestion, language);
    question.caption = skin::ApplicationTitle();
    question.buttons = {skin::ButtonText(skin::StandardButton::Yes, language),
                        skin::ButtonText(skin::StandardButton::No, language)};
    question.defaultButton = kRestore;
    question.escapeButton = kDoNotRestore;
    if (dialogs_.ask(window, question) != kRestore) {
        return;
    }
    const bool written = runOnBackup(TransferJobKind::WriteKeys, window, false) &&
                         (!HasBacklight(config_.deviceType) ||
                          runOnBackup(TransferJobKind::WriteLights, window, false));
    if (written) {
        tell(window, firmware::Text(firmware::Message::Restored, language),
             skin::MessageIcon::Information);
    } else {
        tell(window, firmware::Text(firmware::Message::RestoreFailed, language).arg(savedPath_),
             skin::MessageIcon::Error);
    }
}

// Keeps the keyboard's keys and colours safe across a firmware download: before it, they are read
// from the keyboard and saved as a profile in the user's data folder; after it, they are offered
// back, since a new firmware may start from its defaults. The configuration the windows show is
// left as it was throughout.
#pragma once

#include "DialogService.h"
#include "TransferLane.h"
#include "model/KeyboardProfile.h"
#include "model/TransferJob.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace model {
class CKeyboardConfig;
}
class QWidget;

namespace skin {
class SkinResources;
}

class FirmwareKeyBackup {
public:
    // The buttons of the question asked when the keys could not be read before a download.
    enum NoBackupButton { kDownloadWithoutBackup, kCancelDownload };
    // The buttons of the question after the download.
    enum RestoreButton { kRestore, kDoNotRestore };

    // `folder`: where backups are saved; empty: BackupFolder().
    FirmwareKeyBackup(const skin::SkinResources& resources, model::CKeyboardConfig& config,
                      skin::DialogService& dialogs, TransferLane& lane, model::JobPauses pauses,
                      QString folder = QString());

    // The user's data folder for backups.
    static QString BackupFolder();
    // The backup's file name: the model, the date and time, and the firmware version before
    // the download, with what a file name cannot hold replaced.
    static QString FileName(int deviceType, const QDateTime& when, const QString& version);

    // Before a download: reads the keys and colours and saves them, telling the user where.
    // Whether the download may go on: true with a backup, or when the read failed and the user
    // chose to go on without one; false when the user cancelled.
    bool takeBeforeDownload(QWidget* window, const QString& firmwareVersion);
    // After a download that succeeded: asks whether to write the backup back, and does so.
    void offerRestore(QWidget* window);

    // The file of the last backup taken (empty: none).
    const QString& savedPath() const { return savedPath_; }

private:
    // Runs a transfer with the backup in place of the configuration's keys and colours, which
    // are put back after it.
    bool runOnBackup(model::TransferJobKind job, QWidget* window, bool keepWhatWasRead);
    void tell(QWidget* window, const QString& text, skin::MessageIcon icon);

    const skin::SkinResources& resources_;
    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    TransferLane& lane_;
    model::JobPauses pauses_;
    QString folder_;
    std::optional<model::CKeyboardProfile> backup_;
    QString savedPath_;
};

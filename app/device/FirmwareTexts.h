// The firmware window's messages, in the user's language.
#pragma once

#include "model/FirmwareFile.h"

#include <QString>

#include <string>

namespace firmware {

enum class Message {
    VersionFailed,    // the version query found no answer
    Downloaded,       // outcome 1
    DownloadFailed,   // outcome 2
    NoAnswer,         // the keyboard did not answer before the download: nothing was sent
    CannotOpen,       // outcome 3
    DoesNotMatch,     // Update without an accepted file (the same text in both languages)
    Busy,             // the version cannot be read while a transfer runs
    EarlierTransfer,  // the update cannot start while an earlier transfer runs
    WaitForDownload,  // closing while the download runs: wait for it? (Yes / No)
    // The keys and colours kept safe across a download.
    BackupSaved,       // %1: the profile they were saved to
    BackupReadFailed,  // they could not be read before the download
    BackupSaveFailed,  // %1: the profile, %2: why it could not be written
    NoBackupQuestion,  // download without a backup?
    DownloadWithoutBackupButton,
    RestoreQuestion,  // after the download: write them back?
    Restored,
    RestoreFailed,  // %1: the profile that still holds them
};

QString Text(Message message, const std::string& language);

// "The firmware does not match, please select <model>" for the model of `deviceType`.
QString MismatchText(int deviceType, const std::string& language);

// Why the file `fileName` was refused before anything was sent: the outcome 3 message with its
// reason for a file that cannot be read, or what is wrong with its records, line included.
QString RefusalText(const model::FirmwareFile& file, const QString& fileName,
                    const std::string& language);

}  // namespace firmware

#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The data folder as seen from the program's folder; the build computes it from the install
// layout.
constexpr const char* kDataDirFromProgram = Z9RT_DATA_DIR_FROM_PROGRAM;

}  // namespace

QString ProgramFileIn(const QString& programDir, const QString& fileName) {
    const QDir program(programDir);
    const QString beside = program.filePath(fileName);
    if (QFileInfo::exists(beside)) {
        return beside;
    }
    const QString installed = QDir::cleanPath(
        program.filePath(QLatin1String(kDataDirFromProgram) + QLatin1Char('/') + fileName));
    return QFileInfo::exists(installed) ? installed : beside;
}

QString ProgramFile(const QString& fileName) {
    return ProgramFileIn(QCoreApplication::applicationDirPath(), fileName);
}

#include "Preferences.h"

#include "MainTexts.h"
#include "model/Languages.h"

#include <QSettings>
#include <QStandardPaths>

using model::kLanguageChinese;
using model::kLanguageEnglish;

namespace {

constexpr const char* kFolder = "Z9RT";
constexpr const char* kLanguageKey = "language";
constexpr const char* kPositionKey = "mainWindow/position";

}  // namespace

QString Preferences::UserFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/") + QLatin1String(kFolder) + QStringLiteral("/") +
           QString::fromUtf8(texts::kProgramName) + QStringLiteral(".conf");
}

Preferences::Preferences(QString file) : file_(std::move(file)) {}

std::optional<std::string> Preferences::language() const {
    if (file_.isEmpty()) {
        return std::nullopt;
    }
    const QString language =
        QSettings(file_, QSettings::IniFormat).value(QLatin1String(kLanguageKey)).toString();
    // A file edited by hand may say anything: only the two languages are taken.
    for (const char* known : {kLanguageChinese, kLanguageEnglish}) {
        if (language == QLatin1String(known)) {
            return std::string(known);
        }
    }
    return std::nullopt;
}

void Preferences::setLanguage(const std::string& language) {
    if (!file_.isEmpty()) {
        QSettings(file_, QSettings::IniFormat)
            .setValue(QLatin1String(kLanguageKey), QString::fromStdString(language));
    }
}

std::optional<QPoint> Preferences::windowPosition() const {
    if (file_.isEmpty()) {
        return std::nullopt;
    }
    const QVariant position =
        QSettings(file_, QSettings::IniFormat).value(QLatin1String(kPositionKey));
    if (!position.canConvert<QPoint>()) {
        return std::nullopt;
    }
    return position.toPoint();
}

void Preferences::setWindowPosition(const QPoint& position) {
    if (!file_.isEmpty()) {
        QSettings(file_, QSettings::IniFormat).setValue(QLatin1String(kPositionKey), position);
    }
}

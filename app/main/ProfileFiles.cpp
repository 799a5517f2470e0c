#include "ProfileFiles.h"

#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <QFile>

namespace {

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Why a profile could not be saved or loaded, in the user's language.
QString Reason(const ProfileResult& result, const std::string& language) {
    const bool chinese = language == kLanguageChinese;
    const QString detail = QString::fromStdString(result.detail);
    switch (result.status) {
        case ProfileStatus::CannotRead:
            return (chinese ? QStringLiteral("无法读取文件（%1）")
                            : QStringLiteral("the file cannot be read (%1)"))
                .arg(detail);
        case ProfileStatus::CannotWrite:
            return (chinese ? QStringLiteral("无法写入文件（%1）")
                            : QStringLiteral("the file cannot be written (%1)"))
                .arg(detail);
        case ProfileStatus::NotAProfile:
            return chinese ? QStringLiteral("该文件不是配置文件")
                           : QStringLiteral("the file is not a profile");
        case ProfileStatus::OtherModel:
            return (chinese ? QStringLiteral("这是另一种键盘（%1）的配置文件")
                            : QStringLiteral("it is the profile of another keyboard (%1)"))
                .arg(detail);
        case ProfileStatus::Damaged:
            return chinese ? QStringLiteral("配置文件已损坏：根元素没有结束（文件可能不完整）")
                           : QStringLiteral(
                                 "the profile is damaged: its root element is not "
                                 "closed (the file may be cut off)");
        case ProfileStatus::Ok:
            break;
    }
    return QString::fromStdString(result.Message());
}

std::optional<QString> Outcome(const ProfileResult& result, const std::string& language) {
    if (result.Ok()) {
        return std::nullopt;
    }
    return Reason(result, language);
}

}  // namespace

std::optional<QString> SaveProfileFile(CKeyboardConfig& config, const QString& path) {
    return Outcome(SaveProfile(config, ToPath(path)), config.language);
}

std::optional<QString> LoadProfileFile(CKeyboardConfig& config, const QString& path) {
    return Outcome(LoadProfile(config, ToPath(path)), config.language);
}

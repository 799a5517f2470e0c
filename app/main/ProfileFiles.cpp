#include "ProfileFiles.h"

#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <QFile>

using model::CKeyboardConfig;
using model::KeyCaption;
using model::kLanguageChinese;
using profile::AssignmentPolicy;
using profile::KeptAssignment;
using profile::KeyLayerWords;
using profile::LoadProfile;
using profile::ProfileLoadOptions;
using profile::ProfileResult;
using profile::ProfileStatus;
using profile::SaveProfile;

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
            return chinese ? QStringLiteral("配置文件已损坏（第 %1 行）").arg(result.line)
                           : QString::fromStdString(result.Message());
        case ProfileStatus::TooLarge:
            return chinese ? QStringLiteral("配置文件太大，超出了可读取的范围")
                           : QString::fromStdString(result.Message());
        case ProfileStatus::RefusedAssignment:
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

// The keys a load left as they were, one line each: the key, its layer and (in English) why.
QString KeptNote(const std::vector<KeptAssignment>& kept, const std::string& language) {
    const bool chinese = language == kLanguageChinese;
    QString note = chinese ? QStringLiteral("以下按键的设置无法原样写入键盘，保持原来的设置：")
                           : QStringLiteral(
                                 "These keys' assignments in the profile would not reach the "
                                 "keyboard as they are; the keys keep what they held:");
    for (const KeptAssignment& key : kept) {
        note += QLatin1Char('\n');
        if (chinese) {
            // The layers as the window's layer buttons name them.
            static const QString kLayers[kLayerCount] = {
                QStringLiteral("无FN层"), QStringLiteral("右FN层"), QStringLiteral("左FN层")};
            note += QStringLiteral("按键 %1（%2），%3")
                        .arg(key.key)
                        .arg(QString::fromStdWString(std::wstring(KeyCaption(key.key))),
                             kLayers[key.layer]);
        } else {
            note += QString::fromStdString(KeyLayerWords(key.key, key.layer) + ": " + key.problem);
        }
    }
    return note;
}

}  // namespace

std::optional<QString> SaveProfileFile(CKeyboardConfig& config, const QString& path) {
    return Outcome(SaveProfile(config, ToPath(path)), config.language);
}

std::optional<QString> LoadProfileFile(CKeyboardConfig& config, const QString& path,
                                       QString& keptNote) {
    ProfileLoadOptions options;
    options.assignments = AssignmentPolicy::KeepPrevious;
    const ProfileResult result = LoadProfile(config, ToPath(path), options);
    keptNote = result.kept.empty() ? QString() : KeptNote(result.kept, config.language);
    return Outcome(result, config.language);
}

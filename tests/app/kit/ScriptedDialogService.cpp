#include "ScriptedDialogService.h"

namespace testkit {
namespace {

bool Offers(const std::vector<skin::MenuEntry>& entries, int command) {
    for (const skin::MenuEntry& entry : entries) {
        if (entry.command == command || (entry.command < 0 && Offers(entry.submenu, command))) {
            return true;
        }
    }
    return false;
}

}  // namespace

QStringList ScriptedDialogService::messageTexts() const {
    QStringList texts;
    for (const ShownMessage& shown : messages) {
        texts << shown.text;
    }
    return texts;
}

QStringList ScriptedDialogService::questionTexts() const {
    QStringList texts;
    for (const skin::Question& asked : questions) {
        texts << asked.text;
    }
    return texts;
}

skin::MessageAnswer ScriptedDialogService::message(QWidget*, const QString& text,
                                                   const QString& caption,
                                                   skin::MessageButtons buttons,
                                                   skin::MessageIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    const bool withdrawnMeanwhile = showAndSeeIfWithdrawn();
    if (buttons == skin::MessageButtons::Ok) {
        return skin::MessageAnswer::Ok;
    }
    if (answers.empty() || withdrawnMeanwhile) {
        return skin::MessageAnswer::No;
    }
    const skin::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDialogService::showAndSeeIfWithdrawn() {
    ++showing_;
    const bool before = withdrawRequested_;
    withdrawRequested_ = false;
    if (whileShowing) {
        whileShowing();
    }
    const bool withdrawnMeanwhile = withdrawRequested_;
    withdrawRequested_ = before;
    --showing_;
    return withdrawnMeanwhile;
}

int ScriptedDialogService::ask(QWidget*, const skin::Question& question) {
    questions.push_back(question);
    if (showAndSeeIfWithdrawn() || choices.empty()) {
        return question.escapeButton;
    }
    const int choice = choices.front();
    choices.pop_front();
    return choice;
}

void ScriptedDialogService::withdraw(QWidget*) {
    if (showing_ > 0) {
        withdrawRequested_ = true;
        ++withdrawn;
    }
}

QString ScriptedDialogService::saveFileName(QWidget*, const skin::FileDialogOptions& options) {
    saveDialogs.push_back(options);
    if (savePaths.empty()) {
        return QString();
    }
    QString path = savePaths.front();
    savePaths.pop_front();
    return path;
}

QString ScriptedDialogService::openFileName(QWidget*, const skin::FileDialogOptions& options) {
    openDialogs.push_back(options);
    if (openPaths.empty()) {
        return QString();
    }
    QString path = openPaths.front();
    openPaths.pop_front();
    return path;
}

std::optional<QColor> ScriptedDialogService::chooseColor(QWidget*, const QColor& initial) {
    colorRequests.push_back(initial);
    if (colors.empty()) {
        return std::nullopt;
    }
    QColor color = colors.front();
    colors.pop_front();
    return color;
}

bool ScriptedDialogService::openUrl(const QUrl& url) {
    openedUrls.push_back(url);
    return openUrlSucceeds;
}

std::optional<int> ScriptedDialogService::popupMenu(QWidget*,
                                                    const std::vector<skin::MenuEntry>& entries,
                                                    const QPoint& globalPoint) {
    menus.push_back({entries, globalPoint});
    if (menuChoices.empty()) {
        return std::nullopt;
    }
    const int command = menuChoices.front();
    menuChoices.pop_front();
    if (!Offers(entries, command)) {
        return std::nullopt;
    }
    return command;
}

void ScriptedDialogService::setLanguage(const std::string& language) {
    languages.push_back(language);
}

}  // namespace testkit

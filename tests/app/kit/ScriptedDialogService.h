// A dialog service for tests: it records every message box and file dialog the windows open and
// answers them from queues the test fills, so no dialog ever blocks a test.
#pragma once

#include "DialogService.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace testkit {

struct ShownMenu {
    std::vector<skin::MenuEntry> entries;
    QPoint globalPoint;
};

struct ShownMessage {
    QString text;
    QString caption;
    skin::MessageButtons buttons;
    skin::MessageIcon icon;
};

class ScriptedDialogService : public skin::DialogService {
public:
    // Answers for the next Yes/No questions, in order; without one the answer is No.
    std::deque<skin::MessageAnswer> answers;
    // Buttons to choose in the next questions (ask), in order; without one the question is
    // closed as by Escape.
    std::deque<int> choices;
    // Paths for the next file dialogs, in order; without one (or with an empty one) the dialog
    // counts as cancelled.
    std::deque<QString> savePaths;
    std::deque<QString> openPaths;
    // Answers for the next colour choosers, in order; without one the chooser counts as
    // cancelled.
    std::deque<QColor> colors;
    // Commands to choose in the next popup menus, in order; without one, or when the menu
    // does not offer the command, the menu closes without a choice.
    std::deque<int> menuChoices;

    std::vector<ShownMessage> messages;
    std::vector<skin::Question> questions;
    // How many questions and messages their windows withdrew while they were up.
    int withdrawn = 0;
    std::vector<skin::FileDialogOptions> saveDialogs;
    std::vector<skin::FileDialogOptions> openDialogs;
    std::vector<QUrl> openedUrls;
    // The initial colour of every colour chooser opened so far.
    std::vector<QColor> colorRequests;
    std::vector<ShownMenu> menus;
    std::vector<std::string> languages;  // every language the windows switched to
    bool openUrlSucceeds = true;
    // Runs while a message box or a question is up, as events that arrive meanwhile do.
    std::function<void()> whileShowing;

    // The texts of all messages shown so far, and of all questions asked.
    QStringList messageTexts() const;
    QStringList questionTexts() const;

    skin::MessageAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                skin::MessageButtons buttons, skin::MessageIcon icon) override;
    int ask(QWidget* parent, const skin::Question& question) override;
    void withdraw(QWidget* parent) override;
    QString saveFileName(QWidget* parent, const skin::FileDialogOptions& options) override;
    QString openFileName(QWidget* parent, const skin::FileDialogOptions& options) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool openUrl(const QUrl& url) override;
    std::optional<int> popupMenu(QWidget* parent, const std::vector<skin::MenuEntry>& entries,
                                 const QPoint& globalPoint) override;
    void setLanguage(const std::string& language) override;

private:
    // Runs whileShowing for a box that is up; true when its window withdrew it meanwhile.
    bool showAndSeeIfWithdrawn();

    int showing_ = 0;
    bool withdrawRequested_ = false;
};

}  // namespace testkit

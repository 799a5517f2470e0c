#include "DialogService.h"

#include "DialogLook.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace skin {
namespace {

constexpr const char* kAnyFilePattern = "*.*";

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Shares of the dialog's width for the file list's columns: name, size and type; the date
// takes what is left.
constexpr std::array<double, 3> kColumnShares{0.35, 0.12, 0.18};

QString RunFileDialog(QWidget* parent, const FileDialogOptions& options,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    const QSize size = FileDialogSize(parent);
    dialog.resize(size);
    if (auto* list = dialog.findChild<QTreeView*>()) {
        for (std::size_t column = 0; column < kColumnShares.size(); ++column) {
            list->header()->resizeSection(static_cast<int>(column),
                                          static_cast<int>(size.width() * kColumnShares[column]));
        }
        list->header()->setStretchLastSection(true);
    }
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(QtFilterFromPairs(options.filter));
    dialog.setDefaultSuffix(options.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

// Fills a menu with the entries; a command travels in its action's data.
void AddMenuEntries(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.command < 0) {
            AddMenuEntries(*menu.addMenu(entry.text), entry.submenu);
        } else {
            menu.addAction(entry.text)->setData(entry.command);
        }
    }
}

}  // namespace

QString ApplicationTitle() {
    return QGuiApplication::applicationDisplayName();
}

QString QtFilterFromPairs(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int index = 0; index + 1 < parts.size(); index += 2) {
        QString text = parts[index];
        if (parts[index + 1] == QLatin1String(kAnyFilePattern)) {
            text.replace(QLatin1String(kAnyFilePattern), QStringLiteral("*"));
        }
        filters << text;
    }
    return filters.join(QStringLiteral(";;"));
}

QtDialogService::QtDialogService() {
    InstallDialogLook();
}

QString ButtonText(StandardButton button, const std::string& language) {
    const bool chinese = language == "zh-CN";
    switch (button) {
        case StandardButton::Yes:
            return chinese ? QStringLiteral("是") : QStringLiteral("Yes");
        case StandardButton::No:
            return chinese ? QStringLiteral("否") : QStringLiteral("No");
        case StandardButton::Cancel:
            return chinese ? QStringLiteral("取消") : QStringLiteral("Cancel");
    }
    return QString();
}

MessageAnswer QtDialogService::message(QWidget* parent, const QString& text, const QString& caption,
                                       MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(
        ToQtIcon(icon), caption, text,
        buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
        parent);
    const MessageBoxes::Outcome outcome = boxes_.run(box);
    if (buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return outcome.clicked != nullptr && box.standardButton(outcome.clicked) == QMessageBox::Yes
               ? MessageAnswer::Yes
               : MessageAnswer::No;
}

int QtDialogService::ask(QWidget* parent, const Question& question) {
    QMessageBox box(ToQtIcon(question.icon), question.caption, question.text, QMessageBox::NoButton,
                    parent);
    std::vector<QAbstractButton*> buttons;
    for (const QString& text : question.buttons) {
        // One role for all: the buttons stay in the order given on every desktop.
        buttons.push_back(box.addButton(text, QMessageBox::ActionRole));
    }
    const auto index = [&buttons](int at) -> QAbstractButton* {
        return at >= 0 && at < static_cast<int>(buttons.size())
                   ? buttons[static_cast<std::size_t>(at)]
                   : nullptr;
    };
    if (auto* defaultButton = qobject_cast<QPushButton*>(index(question.defaultButton))) {
        box.setDefaultButton(defaultButton);
    }
    box.setEscapeButton(index(question.escapeButton));
    const MessageBoxes::Outcome outcome = boxes_.run(box);
    const auto chosen = std::find(buttons.begin(), buttons.end(), outcome.clicked);
    return chosen == buttons.end() ? question.escapeButton
                                   : static_cast<int>(chosen - buttons.begin());
}

void QtDialogService::withdraw(QWidget* parent) {
    boxes_.withdraw(parent);
}

QString QtDialogService::saveFileName(QWidget* parent, const FileDialogOptions& options) {
    return RunFileDialog(parent, options, QFileDialog::AcceptSave);
}

QString QtDialogService::openFileName(QWidget* parent, const FileDialogOptions& options) {
    return RunFileDialog(parent, options, QFileDialog::AcceptOpen);
}

std::optional<QColor> QtDialogService::chooseColor(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid()) {
        return std::nullopt;
    }
    return dialog.selectedColor();
}

bool QtDialogService::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

std::optional<int> QtDialogService::popupMenu(QWidget* parent,
                                              const std::vector<MenuEntry>& entries,
                                              const QPoint& globalPoint) {
    QMenu menu(parent);
    menu.setObjectName(QStringLiteral("popupMenu"));
    AddMenuEntries(menu, entries);
    const QAction* chosen = menu.exec(globalPoint);
    if (chosen == nullptr || !chosen->data().isValid()) {
        return std::nullopt;
    }
    return chosen->data().toInt();
}

void QtDialogService::setLanguage(const std::string& language) {
    // Without Qt's Chinese catalogue its texts stay English; the windows' own texts are
    // Chinese all the same.
    static_cast<void>(translations_.use(language));
}

}  // namespace skin

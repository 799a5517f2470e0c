// The standard dialogs the windows open: message boxes, file dialogs, the colour chooser and the
// desktop's viewer for a file. Windows reach them only through this interface, so tests answer
// them without a person.
#pragma once

#include "MessageBoxes.h"
#include "QtTranslations.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace skin {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Exclamation, Question, Error };
enum class MessageAnswer { Ok, Yes, No };

// A question whose buttons say what they do, left to right.
struct Question {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::Question;
    QStringList buttons;
    // The button that has the focus as the box opens, so that Enter presses it: the one that
    // keeps the user's work.
    int defaultButton = 0;
    // The answer of Escape, of the box's close box and of a question its window withdraws.
    int escapeButton = 0;
};

// Buttons whose texts the windows share.
enum class StandardButton { Yes, No, Cancel };
QString ButtonText(StandardButton button, const std::string& language);

// A file dialog's filter in the windows' own notation ("text|pattern|text|pattern||") and the
// extension added to a name typed without one.
struct FileDialogOptions {
    QString filter;
    QString defaultSuffix;
};

// One entry of a popup menu: a command, or (command -1) a submenu of entries.
struct MenuEntry {
    QString text;
    int command = -1;
    std::vector<MenuEntry> submenu;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    virtual MessageAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                  MessageButtons buttons, MessageIcon icon) = 0;
    // The index of the button chosen.
    virtual int ask(QWidget* parent, const Question& question) = 0;
    // Closes the message or question shown over `parent`, if one is, as Escape would: a window
    // takes back a question that events have answered.
    virtual void withdraw(QWidget* parent) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual QString openFileName(QWidget* parent, const FileDialogOptions& options) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // Asks the desktop to open a file or address; false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // A popup menu with its top left corner at the global point; the chosen command, or none
    // when the menu was closed without a choice.
    virtual std::optional<int> popupMenu(QWidget* parent, const std::vector<MenuEntry>& entries,
                                         const QPoint& globalPoint) = 0;
    // The windows' language changed ("zh-CN" or "en-US"): the dialogs' own texts (buttons,
    // columns) follow it from now on.
    virtual void setLanguage(const std::string& language) = 0;
};

// The real dialogs: Qt's own, never the desktop's, so that they take the look of the skinned
// windows (a dark face, see DialogLook.h) and speak the windows' language.
class QtDialogService : public DialogService {
public:
    QtDialogService();

    MessageAnswer message(QWidget* parent, const QString& text, const QString& caption,
                          MessageButtons buttons, MessageIcon icon) override;
    int ask(QWidget* parent, const Question& question) override;
    void withdraw(QWidget* parent) override;
    QString saveFileName(QWidget* parent, const FileDialogOptions& options) override;
    QString openFileName(QWidget* parent, const FileDialogOptions& options) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool openUrl(const QUrl& url) override;
    std::optional<int> popupMenu(QWidget* parent, const std::vector<MenuEntry>& entries,
                                 const QPoint& globalPoint) override;
    void setLanguage(const std::string& language) override;

private:
    QtTranslations translations_;
    MessageBoxes boxes_;
};

// The caption of messages that have no title of their own: the program's name.
QString ApplicationTitle();

// "pro(*.pro)|*.pro|All Files(*.*)|*.*||" as a Qt filter list ("pro(*.pro);;All Files(*)"):
// each pair's text is kept, and a pattern of "*.*" becomes "*" so names without a dot show too.
QString QtFilterFromPairs(const QString& filter);

}  // namespace skin

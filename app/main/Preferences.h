// What the program remembers between runs: the language of the windows and where the main
// window stood. Kept in an INI file in the user's configuration folder ($XDG_CONFIG_HOME, by
// default ~/.config), as desktop programs keep their settings.
#pragma once

#include <QPoint>
#include <QString>

#include <optional>
#include <string>

class Preferences {
public:
    // The program's file: "Z9RT/Z9RT(PRSM)Ble.conf" in the user's configuration folder.
    static QString UserFile();

    // Preferences kept in `file`; with an empty name nothing is remembered.
    explicit Preferences(QString file);

    // "zh-CN" or "en-US", when one was remembered.
    std::optional<std::string> language() const;
    void setLanguage(const std::string& language);
    // The main window's top left corner on the screen, when one was remembered.
    std::optional<QPoint> windowPosition() const;
    void setWindowPosition(const QPoint& position);

private:
    QString file_;
};

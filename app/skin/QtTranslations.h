// Qt's own texts (the buttons of message boxes, the file dialog, the colour chooser, the menus
// of text boxes) in the language of the windows: Qt's Chinese catalogue, as the distribution
// installs it, while the language is "zh-CN"; Qt's English otherwise.
#pragma once

#include <QString>

#include <memory>
#include <string>

class QTranslator;

namespace skin {

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Switches Qt's texts to the language ("zh-CN" or "en-US"); false when the Chinese
    // catalogue cannot be found (Qt's texts then stay English).
    bool use(const std::string& language);

    // Where Qt's catalogues are looked for (Qt's own translations directory by default).
    void setDirectory(const QString& directory) { directory_ = directory; }

private:
    void remove();

    QString directory_;
    std::unique_ptr<QTranslator> chinese_;
    bool installed_ = false;
};

}  // namespace skin

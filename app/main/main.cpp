// Z9RT(PRSM)Ble: the keyboard configurator's windowed program.
#include "COrvoApp.h"
#include "DeviceMessages.h"
#include "DialogService.h"
#include "MainTexts.h"
#include "Preferences.h"
#include "model/KeyboardConfig.h"

#include <QApplication>

using model::theConfig;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(texts::kProgramName));
    device_messages::Install();

    skin::QtDialogService dialogs;
    StartupOptions options;
    options.mainWindow.preferencesFile = Preferences::UserFile();
    COrvoApp app(theConfig, dialogs, std::move(options));
    return app.run();
}

// Z9RT(PRSM)Ble: the keyboard configurator's windowed program.
#include "COrvoApp.h"
#include "DialogService.h"
#include "MainTexts.h"
#include "MessageGate.h"
#include "model/KeyboardConfig.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(texts::kProgramName));
    skin::message_gate::Install();

    skin::QtDialogService dialogs;
    COrvoApp app(theConfig, dialogs, StartupOptions{});
    return app.run();
}

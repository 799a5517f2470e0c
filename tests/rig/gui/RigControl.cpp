#include "RigControl.h"

#include <QCoreApplication>
#include <QProcess>

namespace rig {

QString TellKeyboard(const QString& command) {
    QProcess control;
    control.start(ProgramBeside(QStringLiteral("z9rt-rig-keyboard")),
                  QStringList{QStringLiteral("ctl"), qEnvironmentVariable("Z9RT_RIG_CONTROL")} +
                      command.split(QLatin1Char(' ')));
    if (!control.waitForFinished(10000)) {
        return QStringLiteral("error: the control command did not end");
    }
    return QString::fromUtf8(control.readAllStandardOutput()).trimmed();
}

QString ProgramBeside(const QString& name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

}  // namespace rig

#include "Trace.h"

#include <QFile>
#include <QRegularExpression>

namespace testkit {

QStringList TraceLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

QStringList SentReports(const QStringList& lines) {
    return lines.filter(QRegularExpression(QStringLiteral("^> ")));
}

}  // namespace testkit

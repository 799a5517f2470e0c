// The report trace (Z9RT_HID_TRACE) as a test reads it.
#pragma once

#include <QString>
#include <QStringList>

namespace testkit {

// Every line of the trace file (none when it does not exist).
QStringList TraceLines(const QString& path);
// Only the reports sent to the keyboard ("> ..." lines).
QStringList SentReports(const QStringList& lines);

}  // namespace testkit

// Carries a transfer job's progress and end from its worker thread to the progress dialog as
// queued signals. The worker holds the relay for as long as it runs, so a dialog that was
// cancelled and destroyed meanwhile simply stops receiving.
#pragma once

#include <QObject>

class TransferRelay : public QObject {
    Q_OBJECT

signals:
    void progressed(int value);
    void finished();
};

// The dialog's tooltip: light text on the windows' dark face, shown 100 ms after the pointer came to rest on an
// element that has a tip, and gone as soon as it leaves it.
#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>

namespace keysettings {

class TipControl : public QLabel {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 100;

    explicit TipControl(QWidget* owner);

    // Shows `text` near the global point after the delay (at once when a tip shows already);
    // an empty text hides the tip.
    void request(const QString& text, const QPoint& globalPoint);
    void deactivate();

    // The text that shows or is about to.
    const QString& pendingText() const { return pending_; }

private:
    void showPending();

    QString pending_;
    QPoint point_;
    QTimer delay_;
};

}  // namespace keysettings

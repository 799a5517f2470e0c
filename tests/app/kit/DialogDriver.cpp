#include "DialogDriver.h"

#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace testkit {

QPoint CentreOf(const skin::SkinItem& item) {
    return QPoint((item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2);
}

void ClickElement(skin::SkinnedDialog& dialog, int id) {
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, CentreOf(*dialog.findItem(id)));
}

void MovePointer(QWidget& window, const QPoint& point) {
    // Straight to the window: QTest moves the platform's cursor instead, which reaches
    // whichever window lies under it, and nothing at all when it is there already.
    QMouseEvent move(QEvent::MouseMove, point, window.mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
}

void HoverElement(skin::SkinnedDialog& dialog, int id) {
    MovePointer(dialog, CentreOf(*dialog.findItem(id)));
}

void EndIfLeftOpen(QDialog* window) {
    QTimer::singleShot(2000, [guarded = QPointer<QDialog>(window)] {
        if (guarded != nullptr && guarded->isVisible()) {
            QTest::qFail("the test left a modal window open", __FILE__, __LINE__);
            guarded->done(QDialog::Rejected);
        }
    });
}

}  // namespace testkit

// The skinned scroll bar driven as a user drives it: synthetic presses, moves and releases,
// its repeat timers, what it tells its window and what it draws from its skin.
#include "CSkinScrollBar.h"
#include "ScrollBarSkin.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <vector>

using skin::CSkinScrollBar;
using skin::ScrollBarLayout;
using skin::ScrollInfo;
using skin::ScrollState;

namespace {

namespace cells = skin::scrollbar_skin;

constexpr int kCell = 20;
constexpr int kLength = 200;
const QColor kUntouched(1, 2, 3);

// A skin whose every cell has its own colour, and whose thumb cells tell their pixels along the
// bar apart: start cap, end cap, and a middle that changes with every pixel.
QColor CellColor(int column, int row) {
    return QColor(column * 25, 40 + row * 80, 60);
}
QColor ThumbColor(int row, int along) {
    if (along < cells::kThumbCapLength) {
        return QColor(250, row * 80, 0);
    }
    if (along >= kCell - cells::kThumbCapLength) {
        return QColor(0, row * 80, 250);
    }
    return QColor(100 + along * 5, row * 80, 150);
}

QImage TestSkin(int cell = kCell, int rows = cells::kRowCount) {
    QImage skin(cell * cells::kColumnCount, cell * rows, QImage::Format_RGB32);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < cells::kColumnCount; ++column) {
            for (int y = 0; y < cell; ++y) {
                for (int x = 0; x < cell; ++x) {
                    QColor color = CellColor(column, row);
                    if (column == cells::kColumnThumb) {
                        color = ThumbColor(row, y);
                    } else if (column == cells::kColumnThumb + cells::kHorizontalOffset) {
                        color = ThumbColor(row, x);
                    }
                    skin.setPixelColor(column * cell + x, row * cell + y, color);
                }
            }
        }
    }
    return skin;
}

struct Notification {
    int code;
    int position;
    qint64 at;  // milliseconds since the listener started
};

// The bar's window: records every notification and, when asked, moves the position the way
// the key settings dialog's lists do.
class Listener : public QObject {
public:
    explicit Listener(CSkinScrollBar& bar, bool applies = true) : applies_(applies) {
        clock_.start();
        connect(&bar, &CSkinScrollBar::scrolled, this,
                [this](CSkinScrollBar* source, int code, int position) {
                    received.push_back({code, position, clock_.elapsed()});
                    if (applies_) {
                        apply(*source, code, position);
                    }
                });
    }

    std::vector<Notification> received;

    std::vector<int> codes() const {
        std::vector<int> result;
        for (const Notification& notification : received) {
            result.push_back(notification.code);
        }
        return result;
    }

private:
    static void apply(CSkinScrollBar& bar, int code, int position) {
        ScrollInfo info;
        static_cast<void>(bar.GetScrollInfo(info));
        int pos = info.nPos;
        switch (code) {
            case skin::kScrollLineUp:
                --pos;
                break;
            case skin::kScrollLineDown:
                ++pos;
                break;
            case skin::kScrollPageUp:
                pos -= info.nPage;
                break;
            case skin::kScrollPageDown:
                pos += info.nPage;
                break;
            case skin::kScrollThumbTrack:
                pos = position;
                break;
            default:
                return;
        }
        info.nPos = std::clamp(pos, info.nMin, std::max(info.nMin, info.nMax - info.nPage + 1));
        info.fMask = skin::kScrollInfoPos;
        static_cast<void>(bar.SetScrollInfo(info));
    }

    bool applies_;
    QElapsedTimer clock_;
};

// A window with one vertical bar of kLength pixels, its skin cells kCell wide.
struct BarWindow {
    explicit BarWindow(Qt::Orientation orientation = Qt::Vertical) {
        window.resize(400, 400);
        bar = new CSkinScrollBar(orientation, &window);
        bar->setGeometry(10, 10, orientation == Qt::Vertical ? 50 : kLength,
                         orientation == Qt::Vertical ? kLength : 50);
        bar->SetSkinBitmap(TestSkin());
        window.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&window));
    }

    void setRange(int nMin, int nMax, int nPage, int nPos) {
        static_cast<void>(bar->SetScrollInfo({skin::kScrollInfoAll, nMin, nMax, nPage, nPos, -1}));
    }
    ScrollInfo info() const {
        ScrollInfo result;
        static_cast<void>(bar->GetScrollInfo(result));
        return result;
    }
    // A point in the middle of a part, across the bar's thickness.
    QPoint pointIn(int part) const {
        const QRect rect = bar->partRect(bar->hitLayout(), part);
        return rect.center();
    }
    QPoint along(int distance) const {
        return bar->orientation() == Qt::Vertical ? QPoint(kCell / 2, distance)
                                                  : QPoint(distance, kCell / 2);
    }
    QImage render() const {
        QImage image(bar->size(), QImage::Format_RGB32);
        image.fill(kUntouched);
        // Only what the bar paints itself, not the background the window gives it.
        bar->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    QWidget window;
    CSkinScrollBar* bar = nullptr;
};

QTimer* Timer(CSkinScrollBar& bar, const char* name) {
    return bar.findChild<QTimer*>(QLatin1String(name));
}

// A timer's time is up now (the test does not wait for it).
void Expire(QTimer* timer) {
    QVERIFY(timer != nullptr);
    const bool repeats = !timer->isSingleShot();
    if (!repeats) {
        timer->stop();
    }
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
}

}  // namespace

class ScrollBarTest : public QObject {
    Q_OBJECT

private slots:
    void skinFitsThickness_data();
    void skinFitsThickness();
    void layout_data();
    void layout();
    void hitTestFindsEachPart();
    void heldArrowRepeatsAfter500ThenEvery100();
    void heldArrowRepeatsInRealTime();
    void heldArrowStopsAtTheEnd();
    void heldTrackPagesUntilTheThumbReachesThePointer();
    void movingOffAHeldArrowSuspendsTheRepeats();
    void doubleClickOnAnArrowScrollsOnce();
    void hidingOrDisablingEndsAPress_data();
    void hidingOrDisablingEndsAPress();
    void thumbDragStopsAtTheHighestPosition_data();
    void thumbDragStopsAtTheHighestPosition();
    void thumbGoesBackWhenTheWindowIgnoresTheDrop();
    void leavingDuringADragKeepsTheThumb();
    void nothingToScrollGivesAThumbThatCannotMove();
    void adjustScrollMax_data();
    void adjustScrollMax();
    void drawsArrowsThumbAndTrackFromTheSkin();
    void horizontalBarUsesTheTurnedCells();
    void unusableSkinsDrawNothingOutOfBounds_data();
    void unusableSkinsDrawNothingOutOfBounds();
};

void ScrollBarTest::skinFitsThickness_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QImage>("skin");
    QTest::addColumn<QRect>("expected");
    const QRect start(10, 20, 50, 200);
    QTest::newRow("180 wide gives cells of 20")
        << int(Qt::Vertical) << QImage(180, 60, QImage::Format_RGB32) << QRect(10, 20, 20, 200);
    QTest::newRow("horizontal bar becomes one cell high")
        << int(Qt::Horizontal) << QImage(180, 60, QImage::Format_RGB32) << QRect(10, 20, 50, 20);
    QTest::newRow("uneven width rounds down")
        << int(Qt::Vertical) << QImage(134, 42, QImage::Format_RGB32) << QRect(10, 20, 14, 200);
    QTest::newRow("narrower than nine pixels keeps its size")
        << int(Qt::Vertical) << QImage(8, 60, QImage::Format_RGB32) << start;
    QTest::newRow("no picture keeps its size") << int(Qt::Vertical) << QImage() << start;
}

void ScrollBarTest::skinFitsThickness() {
    QFETCH(int, orientation);
    QFETCH(QImage, skin);
    QFETCH(QRect, expected);
    QWidget window;
    CSkinScrollBar bar(static_cast<Qt::Orientation>(orientation), &window);
    bar.setGeometry(10, 20, 50, 200);
    bar.SetSkinBitmap(skin);
    QCOMPARE(bar.geometry(), expected);
    QCOMPARE(bar.cellSize(), skin.width() / 9);
    QCOMPARE(bar.frameHeight(), skin.height() / 3);
}

void ScrollBarTest::layout_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("nMin");
    QTest::addColumn<int>("nMax");
    QTest::addColumn<int>("nPage");
    QTest::addColumn<int>("nPos");
    QTest::addColumn<bool>("hitTest");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<int>("thumbStart");
    QTest::addColumn<int>("thumbLength");

    // 200 long, arrows of 20: 160 free. A page of 10 in 100 items: a thumb of 16.
    QTest::newRow("top") << 200 << 20 << 0 << 99 << 10 << 0 << false << 20 << 20 << 16;
    QTest::newRow("highest position ends at the arrow")
        << 200 << 20 << 0 << 99 << 10 << 90 << false << 20 << 164 << 16;
    QTest::newRow("halfway") << 200 << 20 << 0 << 99 << 10 << 45 << false << 20 << 92 << 16;
    QTest::newRow("short thumb grows to 6")
        << 200 << 20 << 0 << 9999 << 1 << 0 << false << 20 << 20 << 6;
    QTest::newRow("less than 6 free: no thumb, arrows keep w")
        << 44 << 20 << 0 << 99 << 10 << 0 << false << 20 << 20 << 0;
    QTest::newRow("shorter than two arrows: each takes half")
        << 30 << 20 << 0 << 99 << 10 << 0 << false << 15 << 15 << 0;
    QTest::newRow("everything visible, drawn: no thumb")
        << 200 << 20 << 0 << 9 << 10 << 0 << false << 20 << 100 << 0;
    QTest::newRow("everything visible, hit: a thumb over the whole track")
        << 200 << 20 << 0 << 9 << 10 << 0 << true << 20 << 20 << 160;
    // The cases no window should create, guarded: no division by zero, nothing outside the bar.
    QTest::newRow("empty range (max = min - 1)")
        << 200 << 20 << 0 << -1 << 0 << 0 << false << 20 << 100 << 0;
    QTest::newRow("empty range, hit") << 200 << 20 << 0 << -1 << 0 << 0 << true << 20 << 97 << 6;
    QTest::newRow("range below the minimum")
        << 200 << 20 << 5 << -10 << 3 << 0 << true << 20 << 97 << 6;
    QTest::newRow("page larger than the range")
        << 200 << 20 << 0 << 9 << 50 << 0 << true << 20 << 20 << 160;
    QTest::newRow("position past the highest")
        << 200 << 20 << 0 << 99 << 10 << 5000 << false << 20 << 164 << 16;
    QTest::newRow("position below zero")
        << 200 << 20 << 0 << 99 << 10 << -50 << false << 20 << 20 << 16;
    QTest::newRow("negative page") << 200 << 20 << 0 << 99 << -5 << 0 << false << 20 << 20 << 6;
    QTest::newRow("huge numbers do not overflow")
        << 200 << 20 << 0 << 2147483600 << 2000000000 << 100000000 << false << 20 << 27 << 149;
    QTest::newRow("no skin: arrows of 0")
        << 100 << 0 << 0 << 99 << 10 << 0 << false << 0 << 0 << 10;
}

void ScrollBarTest::layout() {
    QFETCH(int, length);
    QFETCH(int, cell);
    QFETCH(int, nMin);
    QFETCH(int, nMax);
    QFETCH(int, nPage);
    QFETCH(int, nPos);
    QFETCH(bool, hitTest);
    const ScrollState state{nMin, nMax, nPage, nPos, -1};
    const ScrollBarLayout layout = skin::LayOutScrollBar(
        length, cell, state, false,
        hitTest ? skin::LayoutPurpose::HitTest : skin::LayoutPurpose::Drawing);
    QTEST(layout.arrow, "arrow");
    QTEST(layout.thumbStart, "thumbStart");
    QTEST(layout.thumbLength, "thumbLength");
    // Whatever the state, the parts follow each other inside the bar.
    QVERIFY(layout.partEnd(skin::kPartLineUp) <= layout.partStart(skin::kPartThumb));
    QVERIFY(layout.partEnd(skin::kPartThumb) <= layout.partStart(skin::kPartLineDown));
    QVERIFY(layout.partEnd(skin::kPartLineDown) == length);
}

void ScrollBarTest::hitTestFindsEachPart() {
    BarWindow w;
    w.setRange(0, 99, 10, 45);  // thumb 92..108
    const struct {
        int along;
        int part;
    } cases[] = {{-1, skin::kPartNone},      {0, skin::kPartLineUp},     {19, skin::kPartLineUp},
                 {20, skin::kPartPageUp},    {91, skin::kPartPageUp},    {92, skin::kPartThumb},
                 {107, skin::kPartThumb},    {108, skin::kPartPageDown}, {179, skin::kPartPageDown},
                 {180, skin::kPartLineDown}, {199, skin::kPartLineDown}};
    for (const auto& c : cases) {
        QCOMPARE(w.bar->partAt(w.along(c.along)), c.part);
    }
}

void ScrollBarTest::heldArrowRepeatsAfter500ThenEvery100() {
    BarWindow w;
    w.setRange(0, 99, 10, 0);
    Listener listener(*w.bar);
    QTimer* first = Timer(*w.bar, "firstRepeatTimer");
    QTimer* repeat = Timer(*w.bar, "repeatTimer");

    QTest::mousePress(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));
    QCOMPARE(listener.codes(), std::vector<int>{skin::kScrollLineDown});
    QVERIFY(first->isActive());
    QCOMPARE(first->interval(), 500);
    QVERIFY(!repeat->isActive());

    Expire(first);  // 500 ms
    QVERIFY(repeat->isActive());
    QCOMPARE(repeat->interval(), 100);
    QCOMPARE(listener.received.size(), std::size_t{2});
    Expire(repeat);
    Expire(repeat);
    QCOMPARE(listener.received.size(), std::size_t{4});
    QCOMPARE(w.info().nPos, 4);
    for (const Notification& n : listener.received) {
        QCOMPARE(n.position, 0);
    }

    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));
    QVERIFY(!first->isActive());
    QVERIFY(!repeat->isActive());
    QCOMPARE(w.bar->pressedPart(), int(skin::kPartNone));
    QCOMPARE(listener.received.size(), std::size_t{4});  // the release sends nothing
}

void ScrollBarTest::heldArrowRepeatsInRealTime() {
    BarWindow w;
    w.setRange(0, 99, 10, 0);
    Listener listener(*w.bar);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));
    QTRY_VERIFY_WITH_TIMEOUT(listener.received.size() >= 4, 5000);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));
    // Lower bounds only: a busy machine may make the repeats late, never early. A late repeat
    // does not push the later ones back (the timer keeps its beat), so the n-th repeat is
    // bounded from the first one. One millisecond allows for the clocks' rounding.
    const std::vector<Notification>& got = listener.received;
    QVERIFY2(got[1].at - got[0].at >= 500 - 1, qPrintable(QString::number(got[1].at - got[0].at)));
    for (std::size_t n = 2; n < got.size(); ++n) {
        QVERIFY(got[n].at - got[1].at >= static_cast<qint64>(n - 1) * 100 - 1);
    }
}

void ScrollBarTest::heldArrowStopsAtTheEnd() {
    BarWindow w;
    w.setRange(0, 3, 1, 0);  // positions 0..3
    Listener listener(*w.bar);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));
    Expire(Timer(*w.bar, "firstRepeatTimer"));
    QTimer* repeat = Timer(*w.bar, "repeatTimer");
    for (int n = 0; n < 5; ++n) {
        Expire(repeat);
    }
    QCOMPARE(w.info().nPos, 3);
    QVERIFY(!repeat->isActive());
    QCOMPARE(listener.received.size(), std::size_t{3});
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineDown));

    // And up again, to the minimum.
    listener.received.clear();
    QTest::mousePress(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineUp));
    Expire(Timer(*w.bar, "firstRepeatTimer"));
    for (int n = 0; n < 5; ++n) {
        Expire(repeat);
    }
    QCOMPARE(w.info().nPos, 0);
    QVERIFY(!repeat->isActive());
    QCOMPARE(listener.codes(), std::vector<int>(3, skin::kScrollLineUp));
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.pointIn(skin::kPartLineUp));
}

void ScrollBarTest::heldTrackPagesUntilTheThumbReachesThePointer() {
    BarWindow w;
    w.setRange(0, 99, 10, 0);  // thumb 16 long, 1.6 pixels a position
    Listener listener(*w.bar);
    const QPoint pointer = w.along(150);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, pointer);
    QCOMPARE(listener.codes(), std::vector<int>{skin::kScrollPageDown});
    Expire(Timer(*w.bar, "firstRepeatTimer"));
    QTimer* repeat = Timer(*w.bar, "repeatTimer");
    for (int n = 0; n < 20 && repeat->isActive(); ++n) {
        Expire(repeat);
    }
    QVERIFY(!repeat->isActive());
    // Pages of 10: the thumb covers the pointer at position 80 (thumb 148..164).
    QCOMPARE(w.info().nPos, 80);
    QCOMPARE(listener.codes(), std::vector<int>(8, skin::kScrollPageDown));
    QVERIFY(w.bar->partRect(w.bar->drawnLayout(), skin::kPartThumb).contains(pointer));
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, pointer);
}

void ScrollBarTest::movingOffAHeldArrowSuspendsTheRepeats() {
    BarWindow w;
    w.setRange(0, 99, 10, 0);
    Listener listener(*w.bar);
    const QPoint arrow = w.pointIn(skin::kPartLineDown);
    const auto arrowColor = [&] { return w.render().pixelColor(arrow); };

    QTest::mousePress(w.bar, Qt::LeftButton, {}, arrow);
    QCOMPARE(arrowColor(), CellColor(cells::kColumnForwardArrow, cells::kRowPressed));
    QTest::mouseMove(w.bar, w.along(100));
    QVERIFY(w.bar->paused());
    QCOMPARE(arrowColor(), CellColor(cells::kColumnForwardArrow, cells::kRowNormal));
    Expire(Timer(*w.bar, "firstRepeatTimer"));
    Expire(Timer(*w.bar, "repeatTimer"));
    QCOMPARE(listener.received.size(), std::size_t{1});  // only the press

    QTest::mouseMove(w.bar, arrow);
    QVERIFY(!w.bar->paused());
    QCOMPARE(arrowColor(), CellColor(cells::kColumnForwardArrow, cells::kRowPressed));
    Expire(Timer(*w.bar, "repeatTimer"));
    QCOMPARE(listener.received.size(), std::size_t{2});
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, arrow);
    // Released over the arrow: it shows the pointer is on it.
    QCOMPARE(arrowColor(), CellColor(cells::kColumnForwardArrow, cells::kRowHover));
}

void ScrollBarTest::doubleClickOnAnArrowScrollsOnce() {
    BarWindow w;
    w.setRange(0, 99, 10, 5);
    Listener listener(*w.bar);
    const QPoint arrow = w.pointIn(skin::kPartLineUp);
    // What a double click delivers: press, release, double click (the second press), release.
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, arrow);
    QTest::mouseDClick(w.bar, Qt::LeftButton, {}, arrow);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, arrow);
    QCOMPARE(listener.codes(), std::vector<int>{skin::kScrollLineUp});
    QCOMPARE(w.info().nPos, 4);
    QVERIFY(!Timer(*w.bar, "firstRepeatTimer")->isActive());
}

void ScrollBarTest::hidingOrDisablingEndsAPress_data() {
    QTest::addColumn<bool>("hide");
    QTest::addColumn<bool>("onThumb");
    QTest::newRow("disabled while an arrow is held") << false << false;
    QTest::newRow("hidden while an arrow is held") << true << false;
    QTest::newRow("disabled while dragging") << false << true;
}

void ScrollBarTest::hidingOrDisablingEndsAPress() {
    QFETCH(bool, hide);
    QFETCH(bool, onThumb);
    BarWindow w;
    w.setRange(0, 99, 10, 0);
    Listener listener(*w.bar);
    QTest::mousePress(w.bar, Qt::LeftButton, {},
                      w.pointIn(onThumb ? skin::kPartThumb : skin::kPartLineDown));
    if (onThumb) {
        QTest::mouseMove(w.bar, w.pointIn(skin::kPartThumb) + QPoint(0, 30));
    }
    const std::size_t sent = listener.received.size();
    if (hide) {
        w.bar->hide();
    } else {
        w.bar->setEnabled(false);
    }
    QVERIFY(!Timer(*w.bar, "firstRepeatTimer")->isActive());
    QVERIFY(!Timer(*w.bar, "repeatTimer")->isActive());
    QCOMPARE(w.bar->pressedPart(), int(skin::kPartNone));
    QVERIFY(!w.bar->dragging());
    QCOMPARE(w.info().nTrackPos, -1);
    QCOMPARE(listener.received.size(), sent);
}

void ScrollBarTest::thumbDragStopsAtTheHighestPosition_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("nMin");
    QTest::addColumn<int>("nMax");
    QTest::addColumn<int>("nPage");
    QTest::newRow("vertical") << int(Qt::Vertical) << 0 << 99 << 10;
    QTest::newRow("horizontal") << int(Qt::Horizontal) << 0 << 99 << 10;
    QTest::newRow("library of 3 in 6 rows") << int(Qt::Vertical) << 0 << 8 << 6;
    QTest::newRow("long list") << int(Qt::Vertical) << 0 << 1607 << 9;
}

void ScrollBarTest::thumbDragStopsAtTheHighestPosition() {
    QFETCH(int, orientation);
    QFETCH(int, nMin);
    QFETCH(int, nMax);
    QFETCH(int, nPage);
    BarWindow w(static_cast<Qt::Orientation>(orientation));
    w.setRange(nMin, nMax, nPage, 0);
    Listener listener(*w.bar);
    const int highest = nMax - nMin - nPage + 1;

    const QPoint grab = w.pointIn(skin::kPartThumb);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, grab);
    QVERIFY(w.bar->dragging());
    QVERIFY(listener.received.empty());
    QCOMPARE(w.info().nTrackPos, 0);
    // In steps to the end and far beyond it.
    const int grabAlong = orientation == Qt::Vertical ? grab.y() : grab.x();
    for (int distance = 10; distance <= 400; distance += 10) {
        QTest::mouseMove(w.bar, w.along(grabAlong + distance));
        QVERIFY(w.info().nTrackPos <= highest);
    }
    QCOMPARE(w.info().nTrackPos, highest);
    QVERIFY(!listener.received.empty());
    for (const Notification& n : listener.received) {
        QCOMPARE(n.code, int(skin::kScrollThumbTrack));
        QVERIFY(n.position >= nMin && n.position <= highest);
    }
    QCOMPARE(listener.received.back().position, highest);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.along(600));
    QCOMPARE(listener.received.back().code, int(skin::kScrollThumbPosition));
    QCOMPARE(listener.received.back().position, highest);
    QCOMPARE(w.info().nPos, highest);
    QCOMPARE(w.info().nTrackPos, -1);
    // The thumb sits at the end of the track.
    const ScrollBarLayout drawn = w.bar->drawnLayout();
    QCOMPARE(drawn.partEnd(skin::kPartThumb), drawn.partStart(skin::kPartLineDown));

    // Back up past the start gives the minimum, never less.
    listener.received.clear();
    const QPoint thumb = w.pointIn(skin::kPartThumb);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(w.bar, w.along(-300));
    QCOMPARE(w.info().nTrackPos, nMin);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.along(-300));
    QCOMPARE(w.info().nPos, nMin);
}

void ScrollBarTest::thumbGoesBackWhenTheWindowIgnoresTheDrop() {
    BarWindow w;
    w.setRange(0, 99, 10, 20);
    Listener listener(*w.bar, false);
    const ScrollBarLayout before = w.bar->drawnLayout();
    const QPoint grab = w.pointIn(skin::kPartThumb);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, grab);
    QTest::mouseMove(w.bar, grab + QPoint(0, 40));
    QCOMPARE(w.info().nTrackPos, 45);  // 40 pixels of 144 for 90 positions
    QVERIFY(w.bar->drawnLayout().thumbStart > before.thumbStart);
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, grab + QPoint(0, 40));
    QCOMPARE(listener.received.back().code, int(skin::kScrollThumbPosition));
    QCOMPARE(listener.received.back().position, 45);
    QCOMPARE(w.info().nPos, 20);
    QCOMPARE(w.info().nTrackPos, -1);
    QCOMPARE(w.bar->drawnLayout().thumbStart, before.thumbStart);
    // Drawn there too: the old thumb place shows track again.
    const QImage face = w.render();
    QCOMPARE(face.pixelColor(w.along(before.thumbStart + 45)),
             CellColor(cells::kColumnTrack, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(before.thumbStart + 8)), ThumbColor(cells::kRowNormal, 8));
}

void ScrollBarTest::leavingDuringADragKeepsTheThumb() {
    BarWindow w;
    w.setRange(0, 99, 10, 20);
    Listener listener(*w.bar);
    const QPoint grab = w.pointIn(skin::kPartThumb);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, grab);
    QTest::mouseMove(w.bar, grab + QPoint(0, 16));
    const int dragged = w.info().nTrackPos;
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(w.bar, &leave);
    QCOMPARE(w.info().nTrackPos, dragged);
    QVERIFY(w.bar->dragging());
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, grab + QPoint(0, 16));
    QCOMPARE(w.info().nPos, dragged);

    // Leaving after hovering the thumb takes the highlight away.
    QTest::mouseMove(w.bar, w.pointIn(skin::kPartThumb));
    QCOMPARE(w.bar->hoverPart(), int(skin::kPartThumb));
    QCoreApplication::sendEvent(w.bar, &leave);
    QCOMPARE(w.bar->hoverPart(), int(skin::kPartNone));
}

void ScrollBarTest::nothingToScrollGivesAThumbThatCannotMove() {
    BarWindow w;
    w.setRange(0, 5, 6, 0);  // a library of one entry in six rows
    Listener listener(*w.bar);
    QCOMPARE(w.bar->drawnLayout().thumbLength, 0);
    const QPoint middle = w.along(kLength / 2);
    QCOMPARE(w.bar->partAt(middle), int(skin::kPartThumb));
    QTest::mousePress(w.bar, Qt::LeftButton, {}, middle);
    QTest::mouseMove(w.bar, middle + QPoint(0, 50));
    QTest::mouseMove(w.bar, middle - QPoint(0, 90));
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, middle);
    QCOMPARE(listener.codes(), std::vector<int>{skin::kScrollThumbPosition});
    QCOMPARE(listener.received.back().position, 0);
}

void ScrollBarTest::adjustScrollMax_data() {
    QTest::addColumn<int>("nMax");
    QTest::addColumn<int>("nPage");
    QTest::addColumn<int>("nPos");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expectedMax");
    QTest::addColumn<int>("expectedPos");
    QTest::newRow("one more item") << 13 << 9 << 5 << 1 << 14 << 5;
    QTest::newRow("one less keeps a position in range") << 13 << 9 << 3 << -1 << 12 << 3;
    QTest::newRow("one less pulls the last position back") << 13 << 9 << 5 << -1 << 12 << 4;
    QTest::newRow("emptied: maximum becomes page - 1") << 30 << 9 << 20 << -20000 << 8 << 0;
    QTest::newRow("no page and emptied: an empty range") << 30 << 0 << 20 << -20000 << -1 << 0;
    QTest::newRow("no overflow") << 2147483000 << 9 << 5 << 2000 << 2147483647 << 5;
}

void ScrollBarTest::adjustScrollMax() {
    QFETCH(int, nMax);
    QFETCH(int, nPage);
    QFETCH(int, nPos);
    QFETCH(int, delta);
    BarWindow w;
    w.setRange(0, nMax, nPage, nPos);
    skin::AdjustScrollMax(*w.bar, delta);
    QTEST(w.info().nMax, "expectedMax");
    QTEST(w.info().nPos, "expectedPos");
    QCOMPARE(w.info().nPage, nPage);
    QCOMPARE(w.info().nMin, 0);
    // Whatever it left, the bar still draws and answers.
    static_cast<void>(w.render());
    static_cast<void>(w.bar->partAt(w.along(kLength / 2)));
}

void ScrollBarTest::drawsArrowsThumbAndTrackFromTheSkin() {
    BarWindow w;
    w.setRange(0, 99, 10, 45);  // thumb 92..108
    QImage face = w.render();
    QCOMPARE(face.pixelColor(w.along(5)), CellColor(cells::kColumnBackArrow, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(195)),
             CellColor(cells::kColumnForwardArrow, cells::kRowNormal));
    for (int y : {20, 60, 91, 108, 150, 179}) {
        QCOMPARE(face.pixelColor(w.along(y)), CellColor(cells::kColumnTrack, cells::kRowNormal));
    }
    // The thumb (16 long): 3 pixels of start cap, the cell's middle, 3 pixels of end cap.
    for (int t = 0; t < 16; ++t) {
        const int cellPixel = t < 3 ? t : (t >= 13 ? t - 16 + kCell : 3 + (t - 3) % 14);
        QCOMPARE(face.pixelColor(w.along(92 + t)), ThumbColor(cells::kRowNormal, cellPixel));
    }
    // The bar is one cell wide: nothing is drawn beside it.
    QCOMPARE(w.bar->width(), kCell);

    // A long thumb tiles the middle: two short lists in a view of one.
    w.setRange(0, 1, 1, 0);  // thumb 80 long at 20..100
    face = w.render();
    for (int t = 0; t < 80; ++t) {
        const int cellPixel = t < 3 ? t : (t >= 77 ? t - 80 + kCell : 3 + (t - 3) % 14);
        QCOMPARE(face.pixelColor(w.along(20 + t)), ThumbColor(cells::kRowNormal, cellPixel));
    }

    // Hover and pressed looks.
    QTest::mouseMove(w.bar, w.along(5));
    QCOMPARE(w.render().pixelColor(w.along(5)),
             CellColor(cells::kColumnBackArrow, cells::kRowHover));
    QTest::mouseMove(w.bar, w.along(40));
    QCOMPARE(w.render().pixelColor(w.along(5)),
             CellColor(cells::kColumnBackArrow, cells::kRowNormal));
    QCOMPARE(w.render().pixelColor(w.along(40)), ThumbColor(cells::kRowHover, 6));
    QTest::mousePress(w.bar, Qt::LeftButton, {}, w.along(40));
    QCOMPARE(w.render().pixelColor(w.along(40)), ThumbColor(cells::kRowPressed, 6));
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, w.along(40));

    // Shorter than two cells: each arrow is its cell squeezed into half the bar.
    w.bar->resize(kCell, 30);
    face = w.render();
    QCOMPARE(face.pixelColor(w.along(2)), CellColor(cells::kColumnBackArrow, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(27)),
             CellColor(cells::kColumnForwardArrow, cells::kRowNormal));
}

void ScrollBarTest::horizontalBarUsesTheTurnedCells() {
    BarWindow w(Qt::Horizontal);
    QCOMPARE(w.bar->height(), kCell);
    w.setRange(0, 99, 10, 0);
    Listener listener(*w.bar);
    const QImage face = w.render();
    const int offset = cells::kHorizontalOffset;
    QCOMPARE(face.pixelColor(w.along(5)),
             CellColor(cells::kColumnBackArrow + offset, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(195)),
             CellColor(cells::kColumnForwardArrow + offset, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(100)),
             CellColor(cells::kColumnTrack + offset, cells::kRowNormal));
    QCOMPARE(face.pixelColor(w.along(21)), ThumbColor(cells::kRowNormal, 1));
    QTest::mouseClick(w.bar, Qt::LeftButton, {}, w.along(195));
    QCOMPARE(listener.codes(), std::vector<int>{skin::kScrollLineDown});
}

void ScrollBarTest::unusableSkinsDrawNothingOutOfBounds_data() {
    QTest::addColumn<QImage>("skin");
    QTest::addColumn<bool>("drawsAnything");
    QTest::addColumn<int>("pressedArrowColumn");  // -1: not drawn
    QTest::addColumn<int>("pressedArrowRow");
    const auto blank = [](int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    };
    QTest::newRow("no picture") << QImage() << false << -1 << 0;
    QTest::newRow("8 pixels wide") << blank(8, 30) << false << -1 << 0;
    QTest::newRow("shorter than a cell") << blank(180, 10) << false << -1 << 0;
    // One row of cells: the missing hover and pressed looks show the normal one.
    QTest::newRow("one row of cells")
        << TestSkin(kCell, 1) << true << int(cells::kColumnForwardArrow) << int(cells::kRowNormal);
    // Cells too small to keep the thumb's ends: the cell is stretched.
    QTest::newRow("cells of 4 pixels")
        << TestSkin(4) << true << int(cells::kColumnForwardArrow) << int(cells::kRowPressed);
}

void ScrollBarTest::unusableSkinsDrawNothingOutOfBounds() {
    QFETCH(QImage, skin);
    QFETCH(bool, drawsAnything);
    QFETCH(int, pressedArrowColumn);
    QFETCH(int, pressedArrowRow);
    BarWindow w;
    w.bar->resize(30, kLength);
    w.bar->SetSkinBitmap(skin);
    w.setRange(0, 99, 10, 45);
    Listener listener(*w.bar);
    const QPoint down(2, kLength - 2);
    QTest::mousePress(w.bar, Qt::LeftButton, {}, down);
    const QImage face = w.render();
    bool touched = false;
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            touched = touched || face.pixelColor(x, y) != kUntouched;
        }
    }
    QCOMPARE(touched, drawsAnything);
    if (pressedArrowColumn >= 0) {
        QCOMPARE(face.pixelColor(down), CellColor(pressedArrowColumn, pressedArrowRow));
    }
    QTest::mouseRelease(w.bar, Qt::LeftButton, {}, down);
    // The bar still works: the press reached the window.
    QVERIFY(!listener.received.empty());
}

QTEST_MAIN(ScrollBarTest)
#include "ScrollBarTest.moc"

// A scroll bar that draws itself from one skin picture (arrows, thumb and track in three looks,
// see layout/ScrollBarSkin.h) and handles the mouse itself, while talking to its window like a
// standard scroll bar: it tells the window what the user did through scrolled(), and the window
// answers by setting the new position with SetScrollInfo(). The bar never moves its position
// itself.
//
// How a window uses one:
//   auto* bar = new skin::CSkinScrollBar(Qt::Vertical, this);
//   bar->setGeometry(...);                                  // design rectangle times the scale
//   bar->SetSkinBitmap(resources.image(skin::scrollbar_skin::kImage));  // fits its thickness
//   bar->SetScrollInfo({skin::kScrollInfoAll, 0, count + rows - 1, rows, 0});
//   connect(bar, &skin::CSkinScrollBar::scrolled, this, &MyWindow::onScroll);
// and in onScroll(bar, code, position): take the position (GetScrollInfo), move it by the code
// (line -1/+1, page -/+ nPage, thumb track: `position`), keep it within nMin and
// nMax - nPage + 1, and set it back with SetScrollInfo. When the list grows or shrinks by n
// items, AdjustScrollMax(*bar, n) keeps range and position in step.
//
// The mouse, as users know it from scroll bars: a press on an arrow or the track scrolls once,
// again after 500 ms and then every 100 ms while the button is held (an arrow stops at the end,
// the track when the thumb reaches the pointer); moving off the pressed part suspends the
// repeats and moving back resumes them; the thumb follows the pointer while dragged; the
// second press of a double click is ignored.
#pragma once

#include "ScrollBarGeometry.h"

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

namespace skin {

// The codes the bar sends its window: the values of a standard scroll bar's notifications.
enum ScrollCode : int {
    kScrollLineUp = kPartLineUp,
    kScrollLineDown = kPartLineDown,
    kScrollPageUp = kPartPageUp,
    kScrollPageDown = kPartPageDown,
    kScrollThumbPosition = 4,        // the thumb was released; position = where it was dropped
    kScrollThumbTrack = kPartThumb,  // the thumb is being dragged; position = where it is now
};

// Which members of ScrollInfo a request sets or fills.
enum ScrollInfoMask : unsigned {
    kScrollInfoRange = 0x01,     // nMin and nMax
    kScrollInfoPage = 0x02,      // nPage
    kScrollInfoPos = 0x04,       // nPos
    kScrollInfoTrackPos = 0x10,  // nTrackPos (filled only; a window cannot set it)
    kScrollInfoAll = 0x17,
};

struct ScrollInfo {
    unsigned fMask = kScrollInfoAll;
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
    int nTrackPos = -1;
};

class CSkinScrollBar : public QWidget {
    Q_OBJECT

public:
    // The first repeat comes this long after the press, the following ones this far apart.
    static constexpr int kFirstRepeatDelayMs = 500;
    static constexpr int kRepeatIntervalMs = 100;

    explicit CSkinScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~CSkinScrollBar() override;

    // Takes the skin picture (shared, not copied) and fits the bar's thickness to its cells:
    // a vertical bar keeps its left, top and height and becomes one cell wide, a horizontal bar
    // keeps left, top and width and becomes one cell high. A picture narrower than nine pixels
    // has no cells: the bar then keeps its size and draws nothing, but still works.
    void SetSkinBitmap(const QImage& bitmap);

    // The scroll-info requests: set range, page and position as info.fMask says (the track
    // position is never taken) and repaint when asked; fill what info.fMask asks for. Both
    // always succeed.
    bool SetScrollInfo(const ScrollInfo& info, bool redraw = true);
    bool GetScrollInfo(ScrollInfo& info) const;

    Qt::Orientation orientation() const { return orientation_; }
    // Side of the skin's square cells (0 without a usable skin).
    int cellSize() const { return cell_; }
    // Height of one row of the skin picture, as the picture gives it.
    int frameHeight() const { return frameHeight_; }
    // The control's height (vertical) or width (horizontal).
    int length() const;
    // What the bar shows now: the parts as drawn and as the pointer finds them.
    ScrollBarLayout drawnLayout() const;
    ScrollBarLayout hitLayout() const;
    // A part's rectangle in control coordinates (empty for kPartNone).
    QRect partRect(const ScrollBarLayout& layout, int part) const;
    // The part under a point of the control.
    int partAt(const QPoint& point) const;

    // What the pointer is doing: the part held down (kPartNone: none), a thumb drag, whether
    // the repeats wait for the pointer to come back, and the part highlighted under it.
    int pressedPart() const { return pressedPart_; }
    bool dragging() const { return dragging_; }
    bool paused() const { return paused_; }
    int hoverPart() const { return hoverPart_; }

signals:
    // The user pressed, held or dragged a part: `code` is a ScrollCode; `position` is the thumb's
    // position for kScrollThumbTrack and kScrollThumbPosition and 0 for the others. Delivered
    // synchronously, so the window can set the new position before the bar draws again.
    void scrolled(skin::CSkinScrollBar* bar, int code, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int along(const QPoint& point) const;
    void notify(int code, int position);
    void firstRepeatDue();
    void repeatStep();
    void pointerMoved(const QPoint& point);
    void stopRepeats();
    // Ends a press or drag the bar will not see the release of (it was hidden or disabled).
    void abandonPointerAction();
    // Drawing from the skin.
    bool skinUsable() const;
    QRect cellSource(int column, int row) const;
    void drawCell(QPainter& painter, int column, int row, const QRect& target) const;
    void drawThumb(QPainter& painter, int row, const QRect& target) const;
    void tileCell(QPainter& painter, int column, const QRect& target) const;
    int rowOf(int part) const;

    Qt::Orientation orientation_;
    QImage skin_;
    int cell_ = 0;
    int frameHeight_ = 0;
    ScrollState state_;
    bool dragging_ = false;
    QPoint dragStart_;
    int dragStartPosition_ = 0;
    int pressedPart_ = kPartNone;
    bool repeating_ = false;
    int hoverPart_ = kPartNone;
    bool paused_ = false;
    QPoint pointer_{-1, -1};
    QTimer firstRepeatTimer_;
    QTimer repeatTimer_;
};

// Grows (or shrinks) the bar's range by `delta` items: nMax moves by delta (to nPage - 1 when it
// would fall below 0), and the position is kept within nMin and the new highest position.
// Repaints the bar.
void AdjustScrollMax(CSkinScrollBar& bar, int delta);

}  // namespace skin

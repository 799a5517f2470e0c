#include "CSkinScrollBar.h"

#include "ScrollBarSkin.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace skin {
namespace {

namespace cells = scrollbar_skin;

bool IsArrow(int part) {
    return part == kPartLineUp || part == kPartLineDown;
}

bool IsTrack(int part) {
    return part == kPartPageUp || part == kPartPageDown;
}

}  // namespace

CSkinScrollBar::CSkinScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation), firstRepeatTimer_(this), repeatTimer_(this) {
    setMouseTracking(true);
    firstRepeatTimer_.setObjectName(QStringLiteral("firstRepeatTimer"));
    firstRepeatTimer_.setSingleShot(true);
    firstRepeatTimer_.setInterval(kFirstRepeatDelayMs);
    // Precise timers: a coarse one may fire a little early, and the first repeat must not.
    firstRepeatTimer_.setTimerType(Qt::PreciseTimer);
    repeatTimer_.setObjectName(QStringLiteral("repeatTimer"));
    repeatTimer_.setInterval(kRepeatIntervalMs);
    repeatTimer_.setTimerType(Qt::PreciseTimer);
    connect(&firstRepeatTimer_, &QTimer::timeout, this, &CSkinScrollBar::firstRepeatDue);
    connect(&repeatTimer_, &QTimer::timeout, this, &CSkinScrollBar::repeatStep);
}

CSkinScrollBar::~CSkinScrollBar() = default;

void CSkinScrollBar::SetSkinBitmap(const QImage& bitmap) {
    skin_ = bitmap;
    cell_ = bitmap.width() / cells::kColumnCount;
    frameHeight_ = bitmap.height() / cells::kRowCount;
    if (cell_ > 0) {
        if (orientation_ == Qt::Vertical) {
            setGeometry(x(), y(), cell_, height());
        } else {
            setGeometry(x(), y(), width(), cell_);
        }
    }
    update();
}

bool CSkinScrollBar::SetScrollInfo(const ScrollInfo& info, bool redraw) {
    if ((info.fMask & kScrollInfoRange) != 0) {
        state_.nMin = info.nMin;
        state_.nMax = info.nMax;
    }
    if ((info.fMask & kScrollInfoPage) != 0) {
        state_.nPage = info.nPage;
    }
    if ((info.fMask & kScrollInfoPos) != 0) {
        state_.nPos = info.nPos;
    }
    if (redraw) {
        update();
    }
    return true;
}

bool CSkinScrollBar::GetScrollInfo(ScrollInfo& info) const {
    if ((info.fMask & kScrollInfoRange) != 0) {
        info.nMin = state_.nMin;
        info.nMax = state_.nMax;
    }
    if ((info.fMask & kScrollInfoPage) != 0) {
        info.nPage = state_.nPage;
    }
    if ((info.fMask & kScrollInfoPos) != 0) {
        info.nPos = state_.nPos;
    }
    if ((info.fMask & kScrollInfoTrackPos) != 0) {
        info.nTrackPos = state_.nTrackPos;
    }
    return true;
}

int CSkinScrollBar::length() const {
    return orientation_ == Qt::Vertical ? height() : width();
}

int CSkinScrollBar::along(const QPoint& point) const {
    return orientation_ == Qt::Vertical ? point.y() : point.x();
}

ScrollBarLayout CSkinScrollBar::drawnLayout() const {
    return LayOutScrollBar(length(), cell_, state_, dragging_, LayoutPurpose::Drawing);
}

ScrollBarLayout CSkinScrollBar::hitLayout() const {
    return LayOutScrollBar(length(), cell_, state_, dragging_, LayoutPurpose::HitTest);
}

QRect CSkinScrollBar::partRect(const ScrollBarLayout& layout, int part) const {
    if (part == kPartNone) {
        return QRect();
    }
    const int start = layout.partStart(part);
    const int extent = layout.partEnd(part) - start;
    // Without a usable skin the bar keeps its thickness and its parts take all of it.
    const int thickness = cell_ > 0 ? cell_ : (orientation_ == Qt::Vertical ? width() : height());
    return orientation_ == Qt::Vertical ? QRect(0, start, thickness, extent)
                                        : QRect(start, 0, extent, thickness);
}

int CSkinScrollBar::partAt(const QPoint& point) const {
    return hitLayout().partAt(along(point));
}

void CSkinScrollBar::notify(int code, int position) {
    emit scrolled(this, code, position);
}

// --- the mouse ---------------------------------------------------------------------------

void CSkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton ||
        event->flags().testFlag(Qt::MouseEventCreatedDoubleClick)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    pointer_ = point;
    const int part = partAt(point);
    if (part == kPartThumb) {
        dragging_ = true;
        dragStart_ = point;
        state_.nTrackPos = state_.nPos;
        dragStartPosition_ = state_.nPos;
        update();
        return;
    }
    if (part == kPartNone) {
        // Only a press above the bar's start finds no part; it has nothing to scroll.
        return;
    }
    pressedPart_ = part;
    paused_ = false;
    update();
    notify(part, 0);
    firstRepeatTimer_.start();
}

void CSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: the first press has scrolled already.
    event->accept();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    pointerMoved(event->position().toPoint());
}

void CSkinScrollBar::leaveEvent(QEvent* event) {
    // The pointer left: no highlight stays behind. A drag follows the pointer wherever it goes,
    // so a leave while dragging must not move the thumb.
    if (!dragging_) {
        pointerMoved(QPoint(-1, -1));
    }
    QWidget::leaveEvent(event);
}

void CSkinScrollBar::pointerMoved(const QPoint& point) {
    pointer_ = point;
    if (dragging_) {
        const int position = DraggedPosition(hitLayout(), state_, dragStartPosition_,
                                             along(point) - along(dragStart_));
        if (position == state_.nTrackPos) {
            return;
        }
        state_.nTrackPos = position;
        update();
        notify(kScrollThumbTrack, position);
        return;
    }
    if (pressedPart_ != kPartNone) {
        const bool outside = !partRect(drawnLayout(), pressedPart_).contains(point);
        if (outside != paused_) {
            paused_ = outside;
            update();
        }
        return;
    }
    const int part = partAt(point);
    if (part != hoverPart_) {
        hoverPart_ = part;
        update();
    }
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    pointer_ = point;
    if (dragging_) {
        dragging_ = false;
        const int dropped = state_.nTrackPos;
        notify(kScrollThumbPosition, dropped);
        // The window has taken the position by now, or the thumb goes back to where it was.
        state_.nTrackPos = -1;
    } else if (pressedPart_ != kPartNone) {
        stopRepeats();
        pressedPart_ = kPartNone;
        paused_ = false;
    } else {
        return;
    }
    hoverPart_ = partAt(point);
    update();
}

void CSkinScrollBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        abandonPointerAction();
    }
    QWidget::changeEvent(event);
}

void CSkinScrollBar::hideEvent(QHideEvent* event) {
    abandonPointerAction();
    QWidget::hideEvent(event);
}

void CSkinScrollBar::abandonPointerAction() {
    // A disabled or hidden bar gets no release: without this its repeats would scroll on.
    // A drag ends where the window last put the position.
    stopRepeats();
    pressedPart_ = kPartNone;
    paused_ = false;
    dragging_ = false;
    state_.nTrackPos = -1;
    hoverPart_ = kPartNone;
    update();
}

void CSkinScrollBar::stopRepeats() {
    firstRepeatTimer_.stop();
    repeatTimer_.stop();
    repeating_ = false;
}

void CSkinScrollBar::firstRepeatDue() {
    repeating_ = true;
    repeatTimer_.start();
    repeatStep();
}

void CSkinScrollBar::repeatStep() {
    if (paused_ || !(IsArrow(pressedPart_) || IsTrack(pressedPart_))) {
        return;
    }
    switch (pressedPart_) {
        case kPartLineUp:
            if (state_.nPos <= state_.nMin) {
                repeatTimer_.stop();
                return;
            }
            break;
        case kPartLineDown:
            if (state_.nPos >= state_.nMax) {
                repeatTimer_.stop();
                return;
            }
            break;
        default:
            // The track pages until the thumb reaches the pointer.
            if (partRect(drawnLayout(), kPartThumb).contains(pointer_)) {
                repeatTimer_.stop();
                return;
            }
            break;
    }
    notify(pressedPart_, 0);
}

// --- drawing -----------------------------------------------------------------------------

bool CSkinScrollBar::skinUsable() const {
    return cell_ > 0 && skin_.height() >= cell_;
}

QRect CSkinScrollBar::cellSource(int column, int row) const {
    // A picture with fewer than three rows of cells shows its first row for the missing looks.
    const int rows = skin_.height() / cell_;
    if (row >= rows) {
        row = cells::kRowNormal;
    }
    if (orientation_ == Qt::Horizontal) {
        column += cells::kHorizontalOffset;
    }
    return QRect(column * cell_, row * cell_, cell_, cell_);
}

void CSkinScrollBar::drawCell(QPainter& painter, int column, int row, const QRect& target) const {
    if (target.isEmpty()) {
        return;
    }
    const QRect source = cellSource(column, row);
    if (target.size() == source.size()) {
        painter.drawImage(target.topLeft(), skin_, source);
    } else {
        painter.drawImage(target, skin_, source);
    }
}

void CSkinScrollBar::tileCell(QPainter& painter, int column, const QRect& target) const {
    if (target.isEmpty()) {
        return;
    }
    const QRect source = cellSource(column, cells::kRowNormal);
    painter.save();
    painter.setClipRect(target);
    for (int y = target.top(); y <= target.bottom(); y += cell_) {
        for (int x = target.left(); x <= target.right(); x += cell_) {
            painter.drawImage(QPoint(x, y), skin_, source);
        }
    }
    painter.restore();
}

void CSkinScrollBar::drawThumb(QPainter& painter, int row, const QRect& target) const {
    if (target.isEmpty()) {
        return;
    }
    const int cap = cells::kThumbCapLength;
    if (cell_ <= 2 * cap) {
        // A cell too small to keep its ends: stretch it whole.
        drawCell(painter, cells::kColumnThumb, row, target);
        return;
    }
    const QRect source = cellSource(cells::kColumnThumb, row);
    const bool vertical = orientation_ == Qt::Vertical;
    // The cell's pieces along the bar: start cap, middle, end cap.
    const QRect startCap = vertical ? QRect(source.left(), source.top(), cell_, cap)
                                    : QRect(source.left(), source.top(), cap, cell_);
    const QRect endCap = vertical ? QRect(source.left(), source.bottom() + 1 - cap, cell_, cap)
                                  : QRect(source.right() + 1 - cap, source.top(), cap, cell_);
    const QRect middle =
        vertical ? source.adjusted(0, cap, 0, -cap) : source.adjusted(cap, 0, -cap, 0);
    const QRect middleTarget =
        vertical ? target.adjusted(0, cap, 0, -cap) : target.adjusted(cap, 0, -cap, 0);

    painter.save();
    painter.setClipRect(target);
    if (!middleTarget.isEmpty()) {
        painter.save();
        painter.setClipRect(middleTarget, Qt::IntersectClip);
        const int step = vertical ? middle.height() : middle.width();
        for (int offset = 0; offset < (vertical ? middleTarget.height() : middleTarget.width());
             offset += step) {
            const QPoint at = vertical ? QPoint(middleTarget.left(), middleTarget.top() + offset)
                                       : QPoint(middleTarget.left() + offset, middleTarget.top());
            painter.drawImage(at, skin_, middle);
        }
        painter.restore();
    }
    painter.drawImage(target.topLeft(), skin_, startCap);
    const QPoint endAt = vertical ? QPoint(target.left(), target.bottom() + 1 - cap)
                                  : QPoint(target.right() + 1 - cap, target.top());
    painter.drawImage(endAt, skin_, endCap);
    painter.restore();
}

int CSkinScrollBar::rowOf(int part) const {
    if (!isEnabled()) {
        return cells::kRowNormal;
    }
    if (part == kPartThumb) {
        if (dragging_) {
            return cells::kRowPressed;
        }
    } else if (part == pressedPart_) {
        return paused_ ? cells::kRowNormal : cells::kRowPressed;
    }
    const bool idle = !dragging_ && pressedPart_ == kPartNone;
    return idle && part == hoverPart_ ? cells::kRowHover : cells::kRowNormal;
}

void CSkinScrollBar::paintEvent(QPaintEvent*) {
    if (!skinUsable()) {
        return;
    }
    const ScrollBarLayout layout = drawnLayout();
    QPainter painter(this);
    tileCell(painter, cells::kColumnTrack, partRect(layout, kPartPageUp));
    tileCell(painter, cells::kColumnTrack, partRect(layout, kPartPageDown));
    if (layout.thumbLength > 0) {
        drawThumb(painter, rowOf(kPartThumb), partRect(layout, kPartThumb));
    }
    drawCell(painter, cells::kColumnBackArrow, rowOf(kPartLineUp), partRect(layout, kPartLineUp));
    drawCell(painter, cells::kColumnForwardArrow, rowOf(kPartLineDown),
             partRect(layout, kPartLineDown));
}

void AdjustScrollMax(CSkinScrollBar& bar, int delta) {
    ScrollInfo info;
    info.fMask = kScrollInfoAll;
    static_cast<void>(bar.GetScrollInfo(info));  // always succeeds
    long long maximum = static_cast<long long>(info.nMax) + delta;
    if (maximum < 0) {
        maximum = static_cast<long long>(info.nPage) - 1;
    }
    maximum = std::clamp<long long>(maximum, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max());
    info.nMax = static_cast<int>(maximum);
    const long long highest = ScrollRange({info.nMin, info.nMax, info.nPage, info.nPos, -1});
    if (info.nPos > highest) {
        info.nPos = static_cast<int>(std::max<long long>(highest, std::numeric_limits<int>::min()));
    }
    if (info.nPos < info.nMin) {
        info.nPos = info.nMin;
    }
    info.fMask = kScrollInfoRange | kScrollInfoPage | kScrollInfoPos;
    static_cast<void>(bar.SetScrollInfo(info, true));
}

}  // namespace skin

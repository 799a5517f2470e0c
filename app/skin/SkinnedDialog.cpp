#include "SkinnedDialog.h"

#include "FittingFont.h"
#include "MessageGate.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTransform>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace skin {
namespace {

// A blank face stands in for a missing picture: the windows still work, without artwork.
const QColor kBlankFace(0x20, 0x23, 0x29);
// The screen height at which the pictures are shown at their own size.
constexpr float kDesignScreenHeight = 1080.0F;

int Truncate(double value) {
    return static_cast<int>(value);
}

int ToQtAlignment(unsigned format) {
    int flags = 0;
    if ((format & text_format::kCenter) != 0) {
        flags |= Qt::AlignHCenter;
    } else if ((format & text_format::kRight) != 0) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    if ((format & text_format::kVCenter) != 0) {
        flags |= Qt::AlignVCenter;
    } else if ((format & text_format::kBottom) != 0) {
        flags |= Qt::AlignBottom;
    } else {
        flags |= Qt::AlignTop;
    }
    if ((format & text_format::kWordBreak) != 0 && (format & text_format::kSingleLine) == 0) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

bool Contains(const DesignRect& rect, const QPoint& point) {
    return rect.contains(point.x(), point.y());
}

}  // namespace

SkinnedDialog::SkinnedDialog(const SkinResources& resources, const std::string& language,
                             float scaleFactor, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::FramelessWindowHint),
      resources_(resources),
      language_(language),
      scale_(scaleFactor < 1.0F ? 1.0F : scaleFactor),
      messageHandle_(message_gate::Open(this)) {
    setMouseTracking(true);
    // The face takes the keyboard focus and passes it among its elements. A click does not
    // take it from the window's own controls: an open editor stays open under a click.
    setFocusPolicy(Qt::TabFocus);
    // The paint covers the whole window: nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

SkinnedDialog::~SkinnedDialog() {
    message_gate::Close(messageHandle_);
}

float SkinnedDialog::ScreenScaleFactor() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const float height =
        screen != nullptr ? static_cast<float>(screen->geometry().height()) : kDesignScreenHeight;
    return std::max(1.0F, height / kDesignScreenHeight);
}

SkinItem* SkinnedDialog::findItem(int id) {
    for (SkinItem& item : items_) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

void SkinnedDialog::openSkin(const SkinFaces& faces, QColor colorKey, FaceSize fallbackSize,
                             std::vector<SkinItem> items) {
    faces_ = faces;
    background_ = faces.background.image();
    if (background_.isNull()) {
        background_ = QImage(fallbackSize.width, fallbackSize.height, QImage::Format_RGB32);
        background_.fill(kBlankFace);
    }
    faceComposed_ = false;
    enlarger_ = SmoothEnlarger(background_.size(), scaledSize());

    const QSize size = scaledSize();
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
    setGeometry(available.left() + Truncate((available.width() - size.width()) * 0.5),
                available.top() + Truncate((available.height() - size.height()) * 0.5),
                size.width(), size.height());
    if (parentWidget() != nullptr) {
        const QPoint centre = parentWidget()->geometry().center();
        move(centre.x() - size.width() / 2, centre.y() - size.height() / 2);
    }

    items_ = std::move(items);
    focusIndex_ = -1;
    for (SkinItem& item : items_) {
        if (!item.isLabel) {
            item.rect = {Truncate(item.rect.left * scale_), Truncate(item.rect.top * scale_),
                         Truncate(item.rect.right * scale_), Truncate(item.rect.bottom * scale_)};
        }
    }

    // The shape: every pixel of the colour key is a hole. Built from the design-size picture
    // (a smoothed copy would blend the key into its neighbours) and scaled as a region. The
    // offscreen platform has no shapes and only warns about them.
    if (!faces.background.image().isNull() &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        const QRegion shape(QBitmap::fromImage(
            faces.background.image().createMaskFromColor(colorKey.rgb(), Qt::MaskInColor)));
        setMask(scale_ == 1.0F ? shape : QTransform::fromScale(scale_, scale_).map(shape));
    }
    update();
}

void SkinnedDialog::takeTitleFrom(int labelId) {
    for (const SkinItem& item : items_) {
        if (item.id == labelId && item.isLabel) {
            setWindowTitle(captionText(item));
            return;
        }
    }
}

void SkinnedDialog::replaceFaces(const SkinFaces& faces) {
    for (const SkinPicture* shown : {&faces_.background, &faces_.hover, &faces_.selected}) {
        if (std::find(earlierPictures_.begin(), earlierPictures_.end(), *shown) ==
            earlierPictures_.end()) {
            earlierPictures_.push_back(*shown);
        }
    }
    faces_ = faces;
    if (faces.background.image().isNull()) {
        const QSize size = background_.size();
        background_ = QImage(size, QImage::Format_RGB32);
        background_.fill(kBlankFace);
    } else {
        background_ = faces.background.image();
    }
    update();
}

void SkinnedDialog::placeDisplayBox(QWidget& box, const DesignRect& rect, int textSize) const {
    box.setGeometry(Truncate(rect.left * scale_), Truncate(rect.top * scale_),
                    Truncate(rect.width() * scale_), Truncate(rect.height() * scale_));
    box.setFont(resources_.font(Truncate(textSize * scale_)));
    resources_.applyEditColors(box);
}

void SkinnedDialog::setScaleFactor(float scaleFactor) {
    scale_ = scaleFactor < 1.0F ? 1.0F : scaleFactor;
}

QSize SkinnedDialog::scaledSize() const {
    return QSize(Truncate(background_.width() * scale_), Truncate(background_.height() * scale_));
}

bool SkinnedDialog::isHitCandidate(const SkinItem& item) const {
    return item.id >= 1 && !item.isLabel;
}

bool SkinnedDialog::hoverAllowed(const SkinItem&) const {
    return true;
}

HitArea SkinnedDialog::hitTest(const QPoint& clientPoint) {
    lastMousePoint_ = clientPoint;
    bool hit = false;
    for (SkinItem& item : items_) {
        if (!isHitCandidate(item)) {
            continue;
        }
        if (Contains(item.rect, clientPoint)) {
            hit = true;
            if (!item.hovered) {
                item.hovered = true;
                updateItem(item);
            }
        } else if (item.hovered) {
            item.hovered = false;
            updateItem(item);
        }
    }
    if (hit) {
        return HitArea::Client;
    }
    const bool right = clientPoint.x() > width() - kSizingStrip;
    const bool bottom = clientPoint.y() > height() - kSizingStrip;
    if (right && bottom) {
        return HitArea::BottomRight;
    }
    if (right) {
        return HitArea::Right;
    }
    if (bottom) {
        return HitArea::Bottom;
    }
    return HitArea::Caption;
}

SkinItem* SkinnedDialog::itemAt(const QPoint& clientPoint) {
    for (SkinItem& item : items_) {
        if (isHitCandidate(item) && Contains(item.rect, clientPoint)) {
            return &item;
        }
    }
    return nullptr;
}

QRect SkinnedDialog::designArea(const SkinItem& item) const {
    const DesignRect& r = item.rect;
    if (item.isLabel) {
        return QRect(r.left, r.top, r.width(), r.height());
    }
    return QRect(Truncate(r.left / scale_), Truncate(r.top / scale_), Truncate(r.width() / scale_),
                 Truncate(r.height() / scale_));
}

void SkinnedDialog::updateItem(const SkinItem& item) {
    const DesignRect& r = item.rect;
    QRect area = item.isLabel
                     ? QRect(Truncate(r.left * scale_), Truncate(r.top * scale_),
                             Truncate(r.width() * scale_) + 1, Truncate(r.height() * scale_) + 1)
                     : QRect(r.left, r.top, r.width(), r.height());
    if (scale_ != 1.0F) {
        // The enlargement blends each face pixel into the shown pixels around it: those change
        // with the element too.
        const int blend = static_cast<int>(std::ceil(scale_)) + 1;
        area.adjust(-blend, -blend, blend, blend);
    }
    update(area);
}

void SkinnedDialog::CopyArea(QPainter& painter, const QImage& source, const QRect& area) {
    if (!source.isNull()) {
        painter.drawImage(area.topLeft(), source, area);
    }
}

QString SkinnedDialog::captionText(const SkinItem& item) const {
    return QString::fromStdWString(item.caption(language_));
}

void SkinnedDialog::drawCaption(QPainter& painter, const SkinItem& item) const {
    painter.save();
    const QRect area = designArea(item);
    const int flags = ToQtAlignment(item.textFormat);
    const QString text = captionText(item);
    painter.setFont(FittingFont(resources_.font(item.fontIndex), area, flags, text));
    painter.setPen(item.isSelected ? item.selectedTextColor : item.textColor);
    painter.drawText(area, flags, text);
    painter.restore();
}

void SkinnedDialog::paintItemExtras(QPainter&, const SkinItem&) {}

void SkinnedDialog::paintItem(QPainter& painter, SkinItem& item) {
    paintItemExtras(painter, item);
    if (item.isSelected) {
        CopyArea(painter, faces_.selected.image(), designArea(item));
    } else if (!item.isLabel && Contains(item.rect, lastMousePoint_) && hoverAllowed(item)) {
        CopyArea(painter, faces_.hover.image(), designArea(item));
    }
    if ((item.isLabel || item.showCaption) && item.textVisible) {
        drawCaption(painter, item);
    }
}

void SkinnedDialog::beforeCompose() {}

void SkinnedDialog::paintOverlay(QPainter&) {}

void SkinnedDialog::itemClicked(SkinItem&) {}

void SkinnedDialog::messageReceived(std::uint32_t, std::uintptr_t, std::intptr_t) {}

QImage SkinnedDialog::composeFace() {
    // composeInto draws the background first, over every pixel: no copy of it is needed.
    QImage face(background_.size(), QImage::Format_RGB32);
    composeInto(face, QRegion(face.rect()));
    return face;
}

void SkinnedDialog::composeInto(QImage& face, const QRegion& area) {
    beforeCompose();
    QPainter painter(&face);
    painter.setClipRegion(area);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QRect& rect : area) {
        painter.drawImage(rect.topLeft(), background_, rect);
    }
    // Every element is drawn, clipped: what an element draws may reach beyond its rectangle
    // (a caption longer than its label, a window's own extras).
    for (SkinItem& item : items_) {
        if (item.id >= 1) {
            paintItem(painter, item);
        }
    }
    paintOverlay(painter);
    paintFocusMark(painter);
}

QRegion SkinnedDialog::facePixelsUnder(const QRegion& area) const {
    QRegion pixels;
    for (const QRect& rect : area) {
        pixels += scale_ == 1.0F ? rect : enlarger_.sourceArea(rect);
    }
    return pixels & face_.rect();
}

const QImage& SkinnedDialog::shownFace() const {
    return scale_ == 1.0F ? face_ : shown_;
}

void SkinnedDialog::paintEvent(QPaintEvent* event) {
    const QRect faceArea(QPoint(0, 0), scaledSize());
    const QRegion repaint = event->region() & faceArea;
    if (!faceComposed_) {
        face_ = composeFace();
        faceComposed_ = true;
        if (scale_ != 1.0F) {
            shown_ = enlarger_.enlarged(face_);
        }
    } else if (!repaint.isEmpty()) {
        // Only the repainted part is composed and enlarged again; the face pixels it is made
        // of are composed exactly as a whole new face would have them.
        composeInto(face_, facePixelsUnder(repaint));
        if (scale_ != 1.0F) {
            for (const QRect& rect : repaint) {
                enlarger_.enlarge(face_, shown_, rect);
            }
        }
    }
    QPainter painter(this);
    const QImage& shown = shownFace();
    for (const QRect& rect : repaint) {
        painter.drawImage(rect.topLeft(), shown, rect);
    }
}

bool SkinnedDialog::event(QEvent* event) {
    if (event->type() == PostedMessageEvent::Type()) {
        const auto* posted = static_cast<PostedMessageEvent*>(event);
        messageReceived(posted->message(), posted->wParam(), posted->lParam());
        return true;
    }
    return QDialog::event(event);
}

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint globalPoint = event->globalPosition().toPoint();
    if (drag_ != Drag::None) {
        followDrag(globalPoint);
        return;
    }
    if (pressedArea_ != HitArea::Client) {
        if (!event->buttons().testFlag(Qt::LeftButton)) {
            pressedArea_ = HitArea::Client;  // the release went elsewhere
        } else if ((globalPoint - pressPoint_).manhattanLength() >= kDragDistance) {
            const HitArea area = pressedArea_;
            pressedArea_ = HitArea::Client;
            startDrag(area, pressPoint_);
            if (drag_ != Drag::None) {
                followDrag(globalPoint);
            }
            return;
        }
    }
    hitTest(event->position().toPoint());
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event) {
    const HitArea area = hitTest(event->position().toPoint());
    pressOnElement_ = area == HitArea::Client;
    // A press on the face only becomes a move or a resize once the pointer moves with the
    // button held: a window manager asked at the press itself may get the request after the
    // button is up already, and then moves the window with the pointer until the next click.
    pressedArea_ = event->button() == Qt::LeftButton ? area : HitArea::Client;
    pressPoint_ = event->globalPosition().toPoint();
}

void SkinnedDialog::mouseReleaseEvent(QMouseEvent* event) {
    const bool dragged = drag_ != Drag::None;
    drag_ = Drag::None;
    pressedArea_ = HitArea::Client;
    if (event->button() != Qt::LeftButton || dragged || !pressOnElement_) {
        return;
    }
    pressOnElement_ = false;
    const QPoint point = event->position().toPoint();
    hitTest(point);
    // The focus goes where the user clicked, as it does on the buttons of any window.
    if (SkinItem* item = itemAt(point); item != nullptr && takesFocus(*item)) {
        setFocusIndex(static_cast<int>(item - items_.data()), focusMarkOn_);
    }
    clickReleased(point);
}

void SkinnedDialog::clickReleased(const QPoint& clientPoint) {
    if (SkinItem* item = itemAt(clientPoint)) {
        itemClicked(*item);
    }
}

void SkinnedDialog::leaveEvent(QEvent* event) {
    // The pointer left the window: nothing stays highlighted.
    hitTest(QPoint(-1, -1));
    QDialog::leaveEvent(event);
}

bool SkinnedDialog::askWindowManagerToMove() {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemMove();
}

bool SkinnedDialog::askWindowManagerToResize(Qt::Edges edges) {
    QWindow* window = windowHandle();
    return window != nullptr && window->startSystemResize(edges);
}

void SkinnedDialog::startDrag(HitArea area, const QPoint& globalPoint) {
    if (area == HitArea::Caption) {
        if (askWindowManagerToMove()) {
            return;
        }
        drag_ = Drag::Move;
    } else {
        resizeEdges_ = {};
        if (area == HitArea::Right || area == HitArea::BottomRight) {
            resizeEdges_ |= Qt::RightEdge;
        }
        if (area == HitArea::Bottom || area == HitArea::BottomRight) {
            resizeEdges_ |= Qt::BottomEdge;
        }
        if (askWindowManagerToResize(resizeEdges_)) {
            return;
        }
        drag_ = Drag::Resize;
    }
    // Without a window manager that moves or sizes windows, the window follows the pointer.
    dragStartGlobal_ = globalPoint;
    dragStartGeometry_ = geometry();
}

void SkinnedDialog::followDrag(const QPoint& globalPoint) {
    const QPoint delta = globalPoint - dragStartGlobal_;
    if (drag_ == Drag::Move) {
        move(dragStartGeometry_.topLeft() + delta);
        return;
    }
    QSize size = dragStartGeometry_.size();
    if (resizeEdges_.testFlag(Qt::RightEdge)) {
        size.setWidth(std::max(kSizingStrip * 2, size.width() + delta.x()));
    }
    if (resizeEdges_.testFlag(Qt::BottomEdge)) {
        size.setHeight(std::max(kSizingStrip * 2, size.height() + delta.y()));
    }
    resize(size);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
    if (navigationKeyPressed(event)) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        case Qt::Key_Escape:
            reject();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void SkinnedDialog::accept() {
    done(kResultOk);
}

void SkinnedDialog::reject() {
    done(kResultCancel);
}

}  // namespace skin

// The mechanics every window of the program shares: a borderless dialog whose face is a
// picture, shaped by a colour key, enlarged by the scale factor, with elements that highlight
// under the pointer, show a selected look, carry captions in two languages and answer clicks.
// A window fills in its element table and images, then adds its own drawing and actions
// through the protected hooks.
#pragma once

#include "FocusNavigation.h"
#include "MessageGate.h"
#include "SkinItem.h"
#include "SkinResources.h"
#include "SmoothEnlarger.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// What a point of the window is for: an element, dragging the window, or its sizing strips.
enum class HitArea { Client, Caption, Right, Bottom, BottomRight };

// The window's background and the pictures its elements' hover and selected looks come from.
// The background is decoded as the window opens, the others when first drawn from.
struct SkinFaces {
    SkinPicture background;
    SkinPicture hover;
    SkinPicture selected;
};

class SkinnedDialog : public QDialog {
    Q_OBJECT

public:
    // Results of exec(): the window's OK and its cancel or close.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;
    // Width of the sizing strips along the right and bottom edges.
    static constexpr int kSizingStrip = 6;
    // How far the pointer moves with the button held before a press on the face drags.
    static constexpr int kDragDistance = 3;

    SkinnedDialog(const SkinResources& resources, const std::string& language, float scaleFactor,
                  QWidget* parent, Qt::WindowFlags flags);
    ~SkinnedDialog() override;

    // The scale every window is drawn at: the primary screen's height / 1080, at least 1.
    static float ScreenScaleFactor();

    // The handle under which the library and the workers post to this window.
    MessageHandle messageHandle() const { return messageHandle_; }

    std::vector<SkinItem>& items() { return items_; }
    const std::vector<SkinItem>& items() const { return items_; }
    SkinItem* findItem(int id);
    const QPoint& lastMousePoint() const { return lastMousePoint_; }
    float scaleFactor() const { return scale_; }
    QSize designSize() const { return background_.size(); }

    // Stores the point, updates every element's hover state and says what the point is for.
    HitArea hitTest(const QPoint& clientPoint);
    // The element a click at the point belongs to (first in table order), or null.
    SkinItem* itemAt(const QPoint& clientPoint);
    // The element's area in the pictures: its rectangle divided by the scale, or a label's own.
    QRect designArea(const SkinItem& item) const;
    // The face at design size exactly as the next paint composes it.
    QImage composeFace();
    // What the window shows: the face as its paints have left it, enlarged by the scale (the
    // design-size face itself at scale 1).
    const QImage& shownFace() const;

    // The element that has the keyboard focus (null: none yet), and whether its mark shows:
    // from the first Tab or arrow on, while the face itself has the focus.
    SkinItem* focusedItem();
    bool focusMarkShown() const;
    // Gives the focus to the first element with `id` (one that can take it) and shows its mark.
    void focusItem(int id);

public slots:
    void accept() override;
    void reject() override;

protected:
    // The opening steps: size and centre the window, scale the elements' rectangles and cut the
    // shape out of the background along the colour key. A missing background gives a blank
    // face of `fallbackSize`.
    void openSkin(const SkinFaces& faces, QColor colorKey, FaceSize fallbackSize,
                  std::vector<SkinItem> items);

    // Names the window after its title label (the first label with the id), in the windows'
    // language: the window manager lists the window by that name.
    void takeTitleFrom(int labelId);

    // Another set of pictures for the same window (a window with pages); the window keeps its
    // size and shape. The pictures shown before stay decoded while the window is open, so
    // that going back to a page costs no decoding.
    void replaceFaces(const SkinFaces& faces);

    // Places one of the window's own display boxes on its design rectangle, with the font of
    // `textSize` design pixels and the boxes' orange-on-black colours, all scaled like the face.
    void placeDisplayBox(QWidget& box, const DesignRect& rect, int textSize) const;

    // Called before every composition of the face (the window brings its elements' states up
    // to date here).
    virtual void beforeCompose();
    // The scale of a window that computes it itself before it opens (the main window).
    void setScaleFactor(float scaleFactor);
    // Elements that the pointer can hit (ids from 1, not labels; windows may narrow this).
    virtual bool isHitCandidate(const SkinItem& item) const;
    // Elements that show the hover picture under the pointer.
    virtual bool hoverAllowed(const SkinItem& item) const;
    // Draws one element into the design-size face: the window's extras, then the selected or
    // hover picture, then the caption.
    virtual void paintItem(QPainter& painter, SkinItem& item);
    virtual void paintItemExtras(QPainter& painter, const SkinItem& item);
    // Drawing after all elements (a progress bar, for instance).
    virtual void paintOverlay(QPainter& painter);
    // A left-button release that makes a click (it was pressed on an element and not dragged);
    // by default the element under the point, if any, is clicked.
    virtual void clickReleased(const QPoint& clientPoint);
    // A click released over the element.
    virtual void itemClicked(SkinItem& item);
    // Hands a move or a resize of the window to the window manager; false when it does not
    // take it (the window then follows the pointer itself).
    virtual bool askWindowManagerToMove();
    virtual bool askWindowManagerToResize(Qt::Edges edges);
    // Keyboard use. Elements that can take the focus (by default those the pointer can hit).
    virtual bool takesFocus(const SkinItem& item) const;
    // Elements of one group above 0 make one Tab stop (by default: the keys and list entries,
    // ids from 100 on); 0: a stop of its own.
    virtual int focusGroup(const SkinItem& item) const;
    // Tab goes through the elements by rank, lowest first, and in table order within a rank
    // (by default all have the same).
    virtual int focusRank(const SkinItem& item) const;
    // The element Tab enters a group on (by default a selected one).
    virtual bool focusEntry(const SkinItem& item) const;
    // Space, or Enter while the focus mark shows, on the element: by default a click on it.
    virtual void activate(SkinItem& item);
    // An arrow on the focused element: true when the window handled it itself (a list that
    // scrolls); otherwise the focus goes to the nearest element on that side.
    virtual bool arrowPressed(SkinItem& item, focus::Direction direction);
    // Ctrl+Tab, Ctrl+PgDn (+1) and Ctrl+Shift+Tab, Ctrl+PgUp (-1) on a window with tabs: the
    // next or previous tab; false when the window has none.
    virtual bool switchTab(int step);
    // Handles the keys that move the focus, press elements and switch tabs; true when the
    // key was one of them.
    bool navigationKeyPressed(QKeyEvent* event);
    // A message posted to messageHandle().
    virtual void messageReceived(std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);

    // Copies an area of a picture to the same place of the face.
    static void CopyArea(QPainter& painter, const QImage& source, const QRect& area);
    void drawCaption(QPainter& painter, const SkinItem& item) const;
    QString captionText(const SkinItem& item) const;
    void updateItem(const SkinItem& item);

    const SkinResources& resources() const { return resources_; }
    const std::string& language() const { return language_; }
    const SkinFaces& faces() const { return faces_; }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Drag { None, Move, Resize };

    void startDrag(HitArea area, const QPoint& globalPoint);
    void followDrag(const QPoint& globalPoint);
    QSize scaledSize() const;
    // Composes `face` anew inside `area` (design coordinates) only.
    void composeInto(QImage& face, const QRegion& area);
    // The face's pixels that the shown pixels of `area` (window coordinates) are made of.
    QRegion facePixelsUnder(const QRegion& area) const;
    // The elements that can take the focus now, as the focus rules see them, with their
    // indexes in the table.
    std::vector<focus::Target> focusTargets(std::vector<int>* indexes) const;
    // focusIndex_ while that element can take the focus, otherwise -1.
    int focusedIndex() const;
    void setFocusIndex(int index, bool showMark);
    void takeFocusIfNoneHasIt();
    void moveFocus(focus::Direction direction);
    void paintFocusMark(QPainter& painter);

    const SkinResources& resources_;
    const std::string& language_;
    float scale_;
    MessageHandle messageHandle_;
    std::vector<SkinItem> items_;
    SkinFaces faces_;
    // The pictures of faces shown before (other pages), each once.
    std::vector<SkinPicture> earlierPictures_;
    QImage background_;
    // The face at design size and, enlarged, as shown; both kept between paints, so that a
    // paint composes and enlarges only what it repaints.
    QImage face_;
    QImage shown_;
    SmoothEnlarger enlarger_;
    bool faceComposed_ = false;
    QPoint lastMousePoint_;
    Drag drag_ = Drag::None;
    Qt::Edges resizeEdges_;
    QPoint dragStartGlobal_;
    QRect dragStartGeometry_;
    bool pressOnElement_ = false;
    // Where the left button went down on the face (Client: not on the face, or not down).
    HitArea pressedArea_ = HitArea::Client;
    QPoint pressPoint_;
    // The focused element's index in the table (-1: none yet), and whether its mark shows.
    int focusIndex_ = -1;
    bool focusMarkOn_ = false;
};

}  // namespace skin

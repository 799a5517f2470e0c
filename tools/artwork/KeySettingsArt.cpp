// The key settings dialog: one face per page, each in a base, a hover and a selected look. A
// face holds the title strip with the close button, the seven tabs (the page's own tab drawn
// as the current one), the content panel the page's elements sit on, and the four buttons
// along the bottom. The Function page's base face exists once per keyboard model.
#include "ArtStyle.h"
#include "Artwork.h"
#include "KeySettingsIconArt.h"
#include "KeySettingsLayout.h"
#include "MainWindowLayout.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace art {
namespace {

using namespace keysettings;

constexpr qreal kFaceRadius = 14.0;
const QRectF kLogo(16, 11, 22, 22);
const QRectF kContentPanel(12, 79, 552, 232);
const QColor kTabFill(0x1d, 0x20, 0x25);
const QColor kGroupFill(0x1a, 0x1d, 0x22);

// Page 1's areas: the single key's column, the combinations' column, the single key's name box,
// the library's rows with their scroll bar, and the record box under the combination's text.
const QRectF kSingleGroup(30, 92, 148, 198);
const QRectF kComboGroup(196, 92, 346, 198);
const QRectF kSingleKeyBox(44, 162, 120, 30);
const QRectF kLibraryBox(209, 132, 166, 104);
const QRectF kRecordBox(375, 133, 152, 62);

// A tab: a rounded-top card; the page's own tab joins the content panel below it.
void DrawTab(QPainter& painter, const QRectF& rect, Look look, bool current) {
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, current ? 2.0 : -0.5);
    const qreal radius = 7.0;
    QPainterPath path;
    path.moveTo(body.bottomLeft());
    path.lineTo(body.left(), body.top() + radius);
    path.quadTo(body.topLeft(), QPointF(body.left() + radius, body.top()));
    path.lineTo(body.right() - radius, body.top());
    path.quadTo(body.topRight(), QPointF(body.right(), body.top() + radius));
    path.lineTo(body.bottomRight());

    QColor fill = kTabFill;
    QColor rim = palette::kPanelRim;
    if (current) {
        fill = palette::kPanel;
        rim = palette::kAccent;
    }
    if (look == Look::Hover) {
        fill = current ? QColor(0x20, 0x1a, 0x15) : QColor(0x2c, 0x30, 0x37);
        rim = palette::kAccentLight;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.setPen(QPen(rim, current ? 1.5 : 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    if (current) {
        // An orange strip across the top marks the page shown.
        painter.setPen(QPen(palette::kAccent, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
                         QPointF(body.right() - radius, body.top() + 1.5));
    }
    painter.restore();
}

// Pages 2 and 3: the library's names and the content list, each in a box with room for its
// scroll bar on the right.
const QRectF kListLibraryBox(32, 110, 168, 134);
const QRectF kListContentBox(208, 110, 168, 134);
// Page 2: one box holds the playback settings (play modes, repeat count, delay modes, interval),
// with room to the right of its longest caption ("Press play, release stop").
const QRectF kMacroPlaybackBox(379, 104, 184, 109);
// Page 5: one box frames the mouse actions and the mouse settings beside them.
const QRectF kMouseBox(29, 106, 237, 186);
// Page 3: one box holds the interval's caption (element 301), its edit and "ms".
const QRectF kEmuIntervalBox(379, 106, 178, 38);

// A round mark, filled when chosen: the single/combination switch, the macro's play and delay
// modes.
void DrawRadioMark(QPainter& painter, const QPointF& centre, Look look, qreal radius = 6.5) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look == Look::Base ? palette::kGlyph : palette::kAccentLight, 1.6));
    painter.setBrush(palette::kPanel);
    painter.drawEllipse(centre, radius, radius);
    if (look == Look::Active) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette::kAccent);
        painter.drawEllipse(centre, radius - 3, radius - 3);
    }
    painter.restore();
}

// The single/combination switch: the mark left of its caption, on the caption's line. It stays
// above the list title that the combination's switch reaches down to.
void DrawSwitch(QPainter& painter, const QRectF& rect, Look look) {
    constexpr qreal kCaptionLine = 11.0;
    constexpr qreal kSwitchMarkRadius = 5.5;
    DrawRadioMark(painter, QPointF(rect.left() + 10, rect.top() + kCaptionLine), look,
                  kSwitchMarkRadius);
}

bool IsRadio(int id) {
    switch (id) {
        case kIdPlayTimes:
        case kIdPlayWhileHeld:
        case kIdPlayToggle:
        case kIdFixedInterval:
        case kIdRecordedDelays:
            return true;
        default:
            return false;
    }
}

// A list row: plain in the base look, lit under the pointer, orange when selected.
void DrawRow(QPainter& painter, const QRectF& rect, Look look) {
    if (look == Look::Base) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (look == Look::Hover) {
        painter.setBrush(QColor(0x30, 0x34, 0x3c));
        painter.drawRoundedRect(rect.adjusted(0, 0.5, 0, -0.5), 3, 3);
    } else {
        painter.setBrush(QColor(0x7a, 0x36, 0x00));
        painter.drawRoundedRect(rect.adjusted(0, 0.5, 0, -0.5), 3, 3);
        painter.setBrush(palette::kAccent);
        painter.drawRect(QRectF(rect.left(), rect.top() + 2, 2.5, rect.height() - 4));
    }
    painter.restore();
}

bool IsRow(const skin::ItemSpec& item) {
    return item.showCaption && item.fontIndex == kRowFontSize;
}

void DrawPageElement(QPainter& painter, const skin::ItemSpec& item, Look look) {
    const QRectF rect = ToRectF(item.rect);
    switch (item.id) {
        case kIdClose:
            DrawWindowButton(painter, rect, Glyph::Close, look);
            return;
        case kIdSingleSwitch:
        case kIdComboSwitch:
            DrawSwitch(painter, rect, look);
            return;
        case kIdSinglePrompt:
        case kIdEmuDelayBox:
            return;  // a caption's box, no button: the same in every look
        default:
            break;
    }
    if (IsRadio(item.id)) {
        DrawRadioMark(painter, rect.center(), look);
        return;
    }
    if (item.id >= kIdFirstRecordRow && item.id < kIdFirstRecordRow + kRecordRows) {
        return;  // under the combination's text box
    }
    if (IsRow(item)) {
        DrawRow(painter, rect, look);
    } else {
        DrawButton(painter, rect, look);
    }
}

// What page 1 shows beneath its elements: the two columns, the single key's name box, the
// library with room for its scroll bar, and the record box.
void DrawSingleComboPanels(QPainter& painter) {
    DrawPanel(painter, kSingleGroup, 8, kGroupFill);
    DrawPanel(painter, kComboGroup, 8, kGroupFill);
    DrawPanel(painter, kSingleKeyBox, 5, palette::kDisplay);
    DrawPanel(painter, kLibraryBox, 5, palette::kPanel);
    DrawPanel(painter, kRecordBox, 5, palette::kDisplay);
}

// What pages 2 and 3 show beneath their elements: the library and content boxes, and the box
// their playback settings and edits sit in.
void DrawListPagePanels(QPainter& painter, int page) {
    DrawPanel(painter, kListLibraryBox, 5, palette::kPanel);
    DrawPanel(painter, kListContentBox, 5, palette::kPanel);
    DrawPanel(painter, page == kPageMacro ? kMacroPlaybackBox : kEmuIntervalBox, 6, kGroupFill);
}

void DrawPagePanels(QPainter& painter, int page, int deviceType) {
    switch (page) {
        case kPageSingleCombo:
            DrawSingleComboPanels(painter);
            break;
        case kPageMacro:
        case kPageEmulation:
            DrawListPagePanels(painter, page);
            break;
        case kPageMouse:
            DrawPanel(painter, kMouseBox, 8, kGroupFill);
            break;
        case kPageFunction:
            // The Function page is the one face that differs by model.
            DrawArtText(painter, kContentPanel.adjusted(0, 6, -14, 0),
                        QString::fromUtf8(mainwin::ModelName(deviceType)), 11, true,
                        palette::kDimText, Qt::AlignRight | Qt::AlignTop);
            break;
        default:
            break;
    }
}

QImage DrawPageFace(int page, int deviceType, Look look) {
    QImage canvas = NewCanvas(kFaceSize);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawFace(painter, kFaceSize, kFaceRadius);
    DrawLogo(painter, kLogo);
    painter.save();
    painter.setPen(QPen(palette::kDivider, 1.0));
    painter.drawLine(QPointF(16, 40.5), QPointF(560, 40.5));
    painter.restore();
    DrawPanel(painter, kContentPanel, 10, palette::kPanel);
    DrawPagePanels(painter, page, deviceType);

    // The page's own tab last, so it joins the panel over its rim.
    for (int k = 0; k < kPageCount; ++k) {
        if (k + 1 != page) {
            DrawTab(painter, ToRectF({18 + 78 * k, 48, 95 + 78 * k, 80}), look, false);
        }
    }
    const int own = page - 1;
    DrawTab(painter, ToRectF({18 + 78 * own, 48, 95 + 78 * own, 80}), look, true);

    for (const std::vector<skin::ItemSpec>& table : {CommonItems(), PageItems(page)}) {
        for (const skin::ItemSpec& item : table) {
            const bool tab = item.id >= kIdFirstTab && item.id < kIdFirstTab + kPageCount;
            // Icons are drawn below, from their own tables.
            if (!item.isLabel && !tab && FindIcon(item.id) == nullptr) {
                DrawPageElement(painter, item, look);
            }
        }
    }
    // The icons of pages 4 to 7, from the icon pages' own tables.
    if (page >= kFirstIconPage && page <= kLastIconPage &&
        !DrawKeySettingsIcons(painter, page, look)) {
        std::fprintf(stderr, "z9rt_artwork: an icon of key settings page %d has no picture\n",
                     page);
        return QImage();  // a picture that cannot be written stops the generator
    }
    painter.end();
    return Flatten(canvas, ToColor(kColorKey));
}

}  // namespace

std::vector<ArtImage> KeySettingsImages() {
    // Device types 1..4; the first one's pictures serve every model but for the Function
    // page's face.
    constexpr int kFirstModel = 1;
    constexpr int kLastModel = 4;
    std::vector<ArtImage> images;
    for (int page = 1; page <= kPageCount; ++page) {
        const PageImages ids = PageImagesFor(page, kFirstModel);
        images.push_back({ids.base, DrawPageFace(page, kFirstModel, Look::Base)});
        images.push_back({ids.hover, DrawPageFace(page, kFirstModel, Look::Hover)});
        images.push_back({ids.selected, DrawPageFace(page, kFirstModel, Look::Active)});
    }
    for (int deviceType = kFirstModel + 1; deviceType <= kLastModel; ++deviceType) {
        images.push_back({PageImagesFor(kPageFunction, deviceType).base,
                          DrawPageFace(kPageFunction, deviceType, Look::Base)});
    }
    return images;
}

}  // namespace art

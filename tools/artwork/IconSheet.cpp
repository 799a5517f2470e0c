// z9rt_icon_sheet OUTPUT.png [ZOOM]: a contact sheet of the key settings icons, page by page,
// each icon in its base, hover and selected looks with its English name, on the dialog's face
// colour. ZOOM (default 1) enlarges the finished sheet pixel for pixel, to look at the icons
// as closely as the screen will show them.
#include "ArtStyle.h"
#include "KeySettingsIconArt.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSheetWidth = 1060;
constexpr int kLegendHeight = 20;
constexpr int kMargin = 16;
constexpr int kTitleHeight = 26;
constexpr int kNameHeight = 24;
constexpr int kLookGap = 6;
constexpr int kCellGap = 10;
constexpr art::Look kLooks[] = {art::Look::Base, art::Look::Hover, art::Look::Active};

const char* PageTitle(int page) {
    switch (page) {
        case 4:
            return "Multimedia (page 4)";
        case 5:
            return "Mouse (page 5)";
        case 6:
            return "Function (page 6)";
        default:
            return "Power (page 7)";
    }
}

// The English name an icon shows: its tooltip, or on the Mouse page its label.
QString IconName(const keysettings::IconPage& page, const keysettings::IconSpec& icon) {
    if (*icon.tipEn != '\0') {
        return QString::fromUtf8(icon.tipEn);
    }
    for (const keysettings::IconPageLabel& label : page.labels) {
        if (label.plan.rect.left == icon.rect.left && label.plan.rect.top == icon.rect.top) {
            return QString::fromUtf8(label.plan.captionEn);
        }
    }
    return QString();
}

// The labels the program writes over an icon, as it writes them: 13 pixels, light grey, at the
// label's rectangle (here shifted with the icon to its place on the sheet).
void DrawIconLabels(QPainter& painter, const keysettings::IconPage& page,
                    const keysettings::IconSpec& icon, QPointF shift) {
    for (const keysettings::IconPageLabel& label : page.labels) {
        const skin::DesignRect& r = label.plan.rect;
        const bool onIcon = r.left >= icon.rect.left && r.right <= icon.rect.right &&
                            r.top >= icon.rect.top && r.bottom <= icon.rect.bottom;
        if (!onIcon) {
            continue;
        }
        QFont font;
        font.setPixelSize(13);
        painter.save();
        painter.setFont(font);
        painter.setPen(QColor(200, 200, 200));
        painter.drawText(art::ToRectF(r).translated(shift), Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromUtf8(label.plan.captionEn));
        painter.restore();
    }
}

int CellWidth(const keysettings::IconSpec& icon) {
    return std::max(icon.rect.width(), 84);
}

int CellHeight(const keysettings::IconSpec& icon) {
    return 3 * icon.rect.height() + 2 * kLookGap + kNameHeight;
}

// Lays out (and with a painter, draws) the sheet; returns its height. `complete` turns false
// when an icon has no glyph.
int LayOut(QPainter* painter, bool& complete) {
    int y = kMargin;
    if (painter != nullptr) {
        art::DrawArtText(*painter, QRectF(kMargin, y, 900, kLegendHeight),
                         QStringLiteral("Each icon top to bottom: base, hover and selected look, "
                                        "with the labels the program writes on them (English)."),
                         11, false, art::palette::kDimText, Qt::AlignLeft | Qt::AlignVCenter);
    }
    y += kLegendHeight + 6;
    for (int page = keysettings::kFirstIconPage; page <= keysettings::kLastIconPage; ++page) {
        const keysettings::IconPage& layout = keysettings::IconPageLayout(page);
        if (painter != nullptr) {
            art::DrawArtText(*painter, QRectF(kMargin, y, 600, kTitleHeight),
                             QString::fromUtf8(PageTitle(page)), 15, true, art::palette::kTitleText,
                             Qt::AlignLeft | Qt::AlignVCenter);
        }
        y += kTitleHeight + 4;
        int x = kMargin;
        int rowHeight = 0;
        for (const keysettings::IconSpec& icon : layout.icons) {
            if (x + CellWidth(icon) > kSheetWidth - kMargin) {
                x = kMargin;
                y += rowHeight + kCellGap;
                rowHeight = 0;
            }
            if (painter != nullptr) {
                int top = y;
                for (art::Look look : kLooks) {
                    keysettings::IconSpec placed = icon;
                    const int left = x + (CellWidth(icon) - icon.rect.width()) / 2;
                    placed.rect = {left, top, left + icon.rect.width(), top + icon.rect.height()};
                    if (!art::DrawKeySettingsIcon(*painter, page, placed, look)) {
                        std::fprintf(stderr, "z9rt_icon_sheet: no glyph for HW code %d\n",
                                     icon.hwCode);
                        complete = false;
                    }
                    DrawIconLabels(*painter, layout, icon,
                                   QPointF(left - icon.rect.left, top - icon.rect.top));
                    top += icon.rect.height() + kLookGap;
                }
                art::DrawArtText(*painter, QRectF(x - 4, top - 2, CellWidth(icon) + 8, kNameHeight),
                                 IconName(layout, icon), 9, false, art::palette::kDimText,
                                 Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
            }
            x += CellWidth(icon) + kCellGap;
            rowHeight = std::max(rowHeight, CellHeight(icon));
        }
        y += rowHeight + kCellGap + 8;
    }
    return y + kMargin;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: z9rt_icon_sheet OUTPUT.png [ZOOM]\n");
        return 2;
    }
    const int zoom = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;

    bool complete = true;
    QImage sheet(kSheetWidth, LayOut(nullptr, complete), QImage::Format_RGB32);
    sheet.fill(art::palette::kFaceTop);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing);
    LayOut(&painter, complete);
    painter.end();
    if (!complete) {
        return 1;
    }

    if (zoom > 1) {
        sheet = sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "z9rt_icon_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

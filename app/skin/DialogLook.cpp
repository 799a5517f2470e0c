#include "DialogLook.h"

#include "SkinResources.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

#include <algorithm>

namespace skin {
namespace {

// The artwork's face and its accent (tools/artwork draws the skinned windows in them).
const QColor kFace(0x20, 0x23, 0x29);
const QColor kFaceDeep(0x15, 0x17, 0x1b);
const QColor kRim(0x34, 0x38, 0x41);
const QColor kButton(0x2b, 0x2f, 0x36);
const QColor kText(0xec, 0xec, 0xee);
const QColor kDimText(0x7c, 0x82, 0x8c);
const QColor kDisabledText(0x6b, 0x70, 0x79);
const QColor kAccent(0xff, 0x7a, 0x1a);
const QColor kAccentLight(0xff, 0xa3, 0x5c);
const QColor kOnAccent(0x11, 0x13, 0x17);
const QColor kMenuRim(0x5b, 0x60, 0x6a);

constexpr int kFileDialogWidth = 900;
constexpr int kFileDialogHeight = 560;
constexpr double kDesignScreenHeight = 1080.0;
constexpr double kLargestShareOfScreen = 0.9;

}  // namespace

QPalette DialogPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, kFace);
    palette.setColor(QPalette::WindowText, kText);
    // Lists and text boxes: the near-black of the skinned windows' display lines.
    palette.setColor(QPalette::Base, kEditBackgroundColor);
    palette.setColor(QPalette::AlternateBase, kFaceDeep);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::PlaceholderText, kDimText);
    palette.setColor(QPalette::Button, kButton);
    palette.setColor(QPalette::ButtonText, kText);
    palette.setColor(QPalette::BrightText, kAccentLight);
    palette.setColor(QPalette::Highlight, kAccent);
    palette.setColor(QPalette::HighlightedText, kOnAccent);
    palette.setColor(QPalette::ToolTipBase, kFaceDeep);
    palette.setColor(QPalette::ToolTipText, kText);
    palette.setColor(QPalette::Link, kAccentLight);
    palette.setColor(QPalette::LinkVisited, kAccent);
    // The bevels Fusion draws its frames and buttons with.
    palette.setColor(QPalette::Light, kRim.lighter(120));
    palette.setColor(QPalette::Midlight, kRim);
    palette.setColor(QPalette::Mid, kButton);
    palette.setColor(QPalette::Dark, kFaceDeep);
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, kRim);
    return palette;
}

void InstallDialogLook() {
    // Fusion draws with the palette on every desktop; a desktop's own style may ignore it.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
    QApplication::setPalette(DialogPalette());
    // Fusion rims a menu in a shade of its face, which vanishes over the dark windows: a
    // lighter rim sets it off.
    qApp->setStyleSheet(QStringLiteral("QMenu { border: 1px solid %1; }").arg(kMenuRim.name()));
}

QSize FileDialogSize(const QWidget* parent) {
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return QSize(kFileDialogWidth, kFileDialogHeight);
    }
    const QRect available = screen->availableGeometry();
    const double scale = std::max(1.0, screen->geometry().height() / kDesignScreenHeight);
    return QSize(std::min(static_cast<int>(kFileDialogWidth * scale),
                          static_cast<int>(available.width() * kLargestShareOfScreen)),
                 std::min(static_cast<int>(kFileDialogHeight * scale),
                          static_cast<int>(available.height() * kLargestShareOfScreen)));
}

}  // namespace skin

#include "DisplayLine.h"

#include "SkinResources.h"

#include <QPlainTextEdit>

namespace skin {
namespace {

int Scaled(int value, float scale) {
    return static_cast<int>(static_cast<float>(value) * scale);
}

}  // namespace

QPlainTextEdit* CreateDisplayLine(QWidget& window, const SkinResources& resources,
                                  const DesignRect& rect, int fontSize, float scale) {
    auto* line = new QPlainTextEdit(&window);
    line->setGeometry(Scaled(rect.left, scale), Scaled(rect.top, scale),
                      Scaled(rect.width(), scale), Scaled(rect.height(), scale));
    line->setFont(resources.font(Scaled(fontSize, scale)));
    line->setReadOnly(true);
    // Read only and without a caret: the text can be selected and copied, not edited.
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    line->setFrameShape(QFrame::NoFrame);
    line->setFocusPolicy(Qt::NoFocus);
    resources.applyEditColors(*line);
    line->viewport()->setAutoFillBackground(true);
    line->viewport()->setPalette(line->palette());
    return line;
}

}  // namespace skin

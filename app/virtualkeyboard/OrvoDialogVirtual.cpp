#include "OrvoDialogVirtual.h"

#include "DisplayLine.h"
#include "VirtualKeyboardLayout.h"
#include "model/CodeTables.h"

#include <QMouseEvent>
#include <QPlainTextEdit>

#include <algorithm>

using model::CKeyCodeTables;
using model::kVirtualComboSize;

namespace {

const QColor kColorKey(0, 0, 255);

bool IsKey(const skin::SkinItem& item) {
    return item.id >= virtualkbd::kFirstKeyId && item.id <= virtualkbd::kLastKeyId;
}

}  // namespace

OrvoDialogVirtual::OrvoDialogVirtual(const skin::SkinResources& resources,
                                     const std::string& language, float scaleFactor,
                                     const CKeyCodeTables& codes, QWidget* parent)
    : SkinnedDialog(resources, language, scaleFactor, parent, Qt::Dialog),
      codes_(codes),
      clickWait_(this),
      doubleClickWait_(this) {
    // The waits run as timers, so the window keeps painting and answering while they run.
    clickWait_.setObjectName(QStringLiteral("clickWait"));
    doubleClickWait_.setObjectName(QStringLiteral("doubleClickWait"));
    clickWait_.setSingleShot(true);
    clickWait_.setInterval(kClickWaitMs);
    clickWait_.setTimerType(Qt::PreciseTimer);
    connect(&clickWait_, &QTimer::timeout, this, &OrvoDialogVirtual::clickWaitEnded);
    doubleClickWait_.setSingleShot(true);
    doubleClickWait_.setInterval(kDoubleClickReleaseWaitMs);
    doubleClickWait_.setTimerType(Qt::PreciseTimer);
    connect(&doubleClickWait_, &QTimer::timeout, this, [this] {
        // A release that came in time finishes the double click once its own click is done.
        if (!(doubleClickReleased_ && clickWait_.isActive())) {
            finishDoubleClick();
        }
    });
}

OrvoDialogVirtual::~OrvoDialogVirtual() = default;

void OrvoDialogVirtual::initialize() {
    ended_ = false;
    const skin::SkinResources& art = resources();
    std::vector<skin::SkinItem> items;
    for (const skin::ItemSpec& entry : virtualkbd::VirtualKeyboardItems()) {
        items.push_back(skin::ItemFromSpec(entry));
    }
    openSkin({art.picture(virtualkbd::kImageBackground), art.picture(virtualkbd::kImageHover),
              art.picture(virtualkbd::kImageSelected)},
             kColorKey, virtualkbd::kFaceSize, std::move(items));
    takeTitleFrom(virtualkbd::kIdClose);

    if (selectMode == virtualkbd::kModeSingle) {
        if (skin::SkinItem* preselected = keyItem(picked.single)) {
            preselected->isSelected = true;
        }
    } else if (selectMode == virtualkbd::kModeCombination) {
        picked.combo.fill(0);
        picked.comboCount = 0;
    }

    if (displayLine_ == nullptr) {
        displayLine_ = skin::CreateDisplayLine(*this, art, virtualkbd::kDisplayLineRect,
                                               virtualkbd::kDisplayLineFontSize, scaleFactor());
        displayLine_->setObjectName(QStringLiteral("displayLine"));
    }
    refreshDisplayLine();
}

int OrvoDialogVirtual::exec() {
    initialize();
    return SkinnedDialog::exec();
}

skin::SkinItem* OrvoDialogVirtual::keyItem(int hwCode) {
    for (skin::SkinItem& item : items()) {
        if (IsKey(item) && item.keyValue == hwCode) {
            return &item;
        }
    }
    return nullptr;
}

void OrvoDialogVirtual::itemClicked(skin::SkinItem&) {
    if (clickWait_.isActive()) {
        // A second click arrived before the first one's wait ended, without making a double
        // click: the first one counts first.
        clickWait_.stop();
        handleClick(pendingClickPoint_);
        if (ended_) {
            return;
        }
    }
    pendingClickPoint_ = lastMousePoint();
    clickWait_.start();
}

void OrvoDialogVirtual::activate(skin::SkinItem& item) {
    if (clickWait_.isActive()) {
        // A click of the mouse still waiting counts first.
        clickWait_.stop();
        handleClick(pendingClickPoint_);
        if (ended_) {
            return;
        }
    }
    const skin::DesignRect& r = item.rect;
    handleClick(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

void OrvoDialogVirtual::mouseReleaseEvent(QMouseEvent* event) {
    SkinnedDialog::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && doubleClickPending_) {
        doubleClickReleased_ = true;
        if (!clickWait_.isActive()) {
            finishDoubleClick();
        }
    }
}

void OrvoDialogVirtual::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of the double click, as any press.
    SkinnedDialog::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The first click's release is still waiting: it was the start of this double click and
    // does not count on its own.
    clickWait_.stop();
    if (selectMode != virtualkbd::kModeSingle) {
        return;
    }
    doubleClickPoint_ = event->position().toPoint();
    doubleClickPending_ = true;
    doubleClickReleased_ = false;
    doubleClickWait_.start();
}

void OrvoDialogVirtual::clickWaitEnded() {
    handleClick(pendingClickPoint_);
    if (doubleClickPending_ && doubleClickReleased_) {
        finishDoubleClick();
    }
}

void OrvoDialogVirtual::handleClick(const QPoint& point) {
    skin::SkinItem* item = itemAt(point);
    if (item == nullptr) {
        return;
    }
    if (IsKey(*item)) {
        toggleKey(*item);
        return;
    }
    switch (item->id) {
        case virtualkbd::kIdClose:
        case virtualkbd::kIdCancel:
            done(kResultCancel);
            break;
        case virtualkbd::kIdOk:
            done(kResultOk);
            break;
        default:
            break;
    }
}

void OrvoDialogVirtual::toggleKey(skin::SkinItem& key) {
    key.isSelected = !key.isSelected;
    if (selectMode == virtualkbd::kModeSingle) {
        chooseSingle(key);
    } else if (selectMode == virtualkbd::kModeCombination) {
        chooseInCombination(key);
    }
    update();
    refreshDisplayLine();
}

void OrvoDialogVirtual::chooseSingle(skin::SkinItem& key) {
    // At most one key is chosen: the one chosen before gives up its mark (the clicked key
    // itself, when it was the chosen one, which clears the choice).
    if (skin::SkinItem* previous = keyItem(picked.single)) {
        previous->isSelected = false;
    }
    picked.single = key.isSelected ? key.keyValue : 0;
}

void OrvoDialogVirtual::chooseInCombination(skin::SkinItem& key) {
    int& count = picked.comboCount;
    auto& combo = picked.combo;
    if (key.isSelected) {
        if (count < kVirtualComboSize) {
            combo[static_cast<std::size_t>(count)] = key.keyValue;
            ++count;
        } else {
            key.isSelected = false;  // a seventh key is refused
        }
        return;
    }
    // Out of the list, the keys after it move up one place.
    const auto end = combo.begin() + std::clamp(count, 0, kVirtualComboSize);
    const auto found = std::find(combo.begin(), end, key.keyValue);
    if (found == end) {
        return;
    }
    std::copy(found + 1, combo.end(), found);
    combo.back() = 0;
    --count;
}

void OrvoDialogVirtual::finishDoubleClick() {
    doubleClickPending_ = false;
    doubleClickReleased_ = false;
    doubleClickWait_.stop();
    skin::SkinItem* item = itemAt(doubleClickPoint_);
    if (item != nullptr && IsKey(*item)) {
        picked.single = item->keyValue;
        done(kResultOk);
    }
}

void OrvoDialogVirtual::done(int result) {
    // A click still waiting when the window ends is dropped: the window showed it unmade.
    clickWait_.stop();
    doubleClickWait_.stop();
    doubleClickPending_ = false;
    ended_ = true;
    SkinnedDialog::done(result);
}

void OrvoDialogVirtual::refreshDisplayLine() {
    if (displayLine_ == nullptr) {
        return;
    }
    const QString text =
        QString::fromStdWString(virtualkbd::DisplayText(selectMode, language(), codes_, picked));
    // Replaced only when it changed, so the line does not flicker.
    if (displayLine_->toPlainText() != text) {
        displayLine_->setPlainText(text);
    }
}

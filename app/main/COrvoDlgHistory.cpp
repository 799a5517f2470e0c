// The main window's history of the session's changes: what each action changed, undo and redo
// from the keyboard, and the marks of unsaved and unwritten changes in the title.
#include "COrvoDlg.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "model/ChangeNames.h"
#include "model/KeyboardConfig.h"

#include <QKeyEvent>

using model::CKeyboardProfile;
using model::kLanguageChinese;

namespace {

model::ChangeName NameOfAction(const skin::SkinItem& item, int layer) {
    if (item.id >= mainwin::kFirstKeyId) {
        return model::KeyChangeName(item.keyValue, layer);
    }
    switch (item.id) {
        case mainwin::kIdDefault:
            return model::WholeChangeName(model::WholeChange::Default);
        case mainwin::kIdOpen:
            return model::WholeChangeName(model::WholeChange::Open);
        case mainwin::kIdBacklight:
            return model::WholeChangeName(model::WholeChange::Colours);
        default:
            // ReadAll, and WriteKeys reading the keyboard first.
            return model::WholeChangeName(model::WholeChange::ReadAll);
    }
}

}  // namespace

void COrvoDlg::noteChange(const skin::SkinItem& item) {
    if (ending_) {
        return;
    }
    if (history_.record(config_, NameOfAction(item, config_.currentLayer))) {
        changeReport_.clear();
        update();
    }
    showChangeMarks();
}

void COrvoDlg::stepThroughHistory(bool back) {
    const bool chinese = config_.language == kLanguageChinese;
    const std::optional<CKeyboardProfile> state =
        back ? history_.undo(chinese, changeReport_) : history_.redo(chinese, changeReport_);
    if (state) {
        static_cast<CKeyboardProfile&>(config_) = *state;
        config_.keysDirty = history_.keysUnwritten(config_) ? 1 : 0;
    }
    showChangeMarks();
    update();
}

void COrvoDlg::showChangeMarks() {
    const bool unsaved = history_.unsaved(config_);
    const bool unwritten = config_.keysDirty != 0;
    QString title = modelName();
    if (unsaved || unwritten) {
        QStringList marks;
        if (unsaved) {
            marks << texts::Text(texts::Id::UnsavedMark, config_.language);
        }
        if (unwritten) {
            marks << texts::Text(texts::Id::UnwrittenMark, config_.language);
        }
        title += QStringLiteral(" (") + marks.join(QStringLiteral(", ")) + QStringLiteral(")");
    }
    setWindowTitle(title);
}

void COrvoDlg::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() &
        (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool control = modifiers == Qt::ControlModifier;
    const bool controlShift = modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    if (control && event->key() == Qt::Key_Z) {
        stepThroughHistory(true);
    } else if ((control && event->key() == Qt::Key_Y) ||
               (controlShift && event->key() == Qt::Key_Z)) {
        stepThroughHistory(false);
    } else {
        SkinnedDialog::keyPressEvent(event);
    }
}

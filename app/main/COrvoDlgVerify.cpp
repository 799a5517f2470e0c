// Verified writes from the main window: the keys are read back after WriteKeys and compared with
// what was written; a difference is a failure that names the keys.
#include "COrvoDlg.h"
#include "MainTexts.h"
#include "MainWindowLayout.h"
#include "model/ChangeNames.h"
#include "model/KeyboardConfig.h"
#include "model/ReadBackCheck.h"

#include <QStringList>

using model::CKeyboardProfile;
using model::kLanguageChinese;
using model::TransferJobKind;

void COrvoDlg::toggleVerifyWrites() {
    verifyWrites_ = !verifyWrites_;
    for (const int id : {int{mainwin::kIdVerifyWrites}, int{mainwin::kLabelVerifyWrites}}) {
        if (skin::SkinItem* item = findItem(id)) {
            item->isSelected = verifyWrites_;
        }
    }
    update();
}

bool COrvoDlg::writtenKeysReadBack() {
    const CKeyboardProfile written = config_;
    bool read = false;
    const bool ran = runJob(TransferJobKind::ReadAll, &read) == kResultOk;
    const CKeyboardProfile readBack = config_;
    // The window keeps what the user made; the read only serves the comparison.
    static_cast<CKeyboardProfile&>(config_) = written;
    update();
    if (!ran || !read) {
        if (!endIfKeyboardGone()) {
            ask(texts::Text(texts::Id::VerifyReadFailed, config_.language),
                skin::MessageButtons::Ok, skin::MessageIcon::Error);
        }
        return false;
    }
    const std::vector<model::KeySlot> differing =
        model::DifferingKeySlots(written, readBack, config_);
    if (differing.empty()) {
        return true;
    }
    const bool chinese = config_.language == kLanguageChinese;
    QStringList keys;
    for (const model::KeySlot& slot : differing) {
        keys << QString::fromStdWString(model::KeyChangeName(slot.key, slot.layer).in(chinese));
    }
    // The keyboard does not hold these: they are still to be written.
    config_.keysDirty = 1;
    ask(texts::Text(texts::Id::VerifyFailed, config_.language).arg(keys.join(QLatin1Char('\n'))),
        skin::MessageButtons::Ok, skin::MessageIcon::Error);
    return false;
}

// Verified colour writes: after Write the colours are read back and compared key by key; the keys
// the keyboard does not hold as written are named, and the write counts as failed.
#include "COrvoDialogBkLightSettings.h"
#include "COrvoDialogProgress.h"
#include "model/CodeTables.h"
#include "model/KeyboardConfig.h"
#include "model/ReadBackCheck.h"

#include <QStringList>

using model::CKeyboardProfile;
using model::KeyCaption;
using model::kLanguageChinese;
using model::TransferJobKind;

bool COrvoDialogBkLightSettings::coloursReadBack() {
    const CKeyboardProfile written = config_;
    const COrvoDialogProgress::Outcome outcome = COrvoDialogProgress::Run(
        TransferJobKind::ReadLights, resources(), config_, lane_, pauses_, this);
    const CKeyboardProfile readBack = config_;
    // The window's colours stay what the user made; the read only serves the comparison.
    config_.lightColor = written.lightColor;
    const bool chinese = config_.language == kLanguageChinese;
    if (outcome.result != kResultOk || !outcome.succeeded) {
        tell(chinese ? QStringLiteral("失败！颜色已写入，但无法读回校验。")
                     : QStringLiteral("Failed! The colours were written, but they could not be "
                                      "read back to verify them."));
        return false;
    }
    const std::vector<int> differing = model::DifferingColours(written, readBack);
    if (differing.empty()) {
        return true;
    }
    QStringList keys;
    for (const int key : differing) {
        keys << QString::fromStdWString(std::wstring(KeyCaption(key)));
    }
    tell((chinese
              ? QStringLiteral("失败！键盘中以下按键的颜色与写入的不同：%1")
              : QStringLiteral("Failed! The keyboard does not hold the colours written for: %1"))
             .arg(keys.join(QStringLiteral(", "))));
    return false;
}

#include "ProfileFiles.h"

#include "model/KeyboardConfig.h"

// Placeholder until the profile functions land.
std::optional<QString> SaveProfileFile(CKeyboardConfig&, const QString&) {
    return QStringLiteral("not available yet");
}

std::optional<QString> LoadProfileFile(CKeyboardConfig&, const QString&) {
    return QStringLiteral("not available yet");
}

// The key settings dialog's messages, in the language the user chose.
#pragma once

#include <QString>

#include <string>

namespace keysettings::texts {

enum class Id {
    // Keys are captured in the dialog's own window only (no access to the event devices).
    CaptureInWindowOnly,
};

// The text in the language ("zh-CN" or "en-US"; any other reads as English).
QString Text(Id id, const std::string& language);

}  // namespace keysettings::texts

// The key settings dialog's messages, in the language the user chose.
#pragma once

#include <QString>

#include <string>

namespace keysettings::texts {

enum class Id {
    // Keys are captured in the dialog's own window only (no access to the event devices).
    CaptureInWindowOnly,
    // "OK" on a page with nothing chosen would clear an assignment of another kind; %1: the
    // assignment.
    ClearAssignmentQuestion,
    // A recording stopped because the macro holds as many items as it may; %1: how many.
    MacroFull,
};

// The text in the language ("zh-CN" or "en-US"; any other reads as English).
QString Text(Id id, const std::string& language);

}  // namespace keysettings::texts

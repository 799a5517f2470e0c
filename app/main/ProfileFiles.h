// Saving and loading profile files from the main window: the outcome in the user's language.
#pragma once

#include <QString>

#include <optional>

namespace model {
class CKeyboardConfig;
}

// Writes the profile; nothing when it worked, otherwise why it did not.
std::optional<QString> SaveProfileFile(model::CKeyboardConfig& config, const QString& path);
// Reads the profile into the configuration; nothing when it worked, otherwise why it did not
// (the configuration is then unchanged). Keys whose assignment in the file would not reach the
// keyboard as it is keep what they held; `keptNote` then says which, else it is left empty.
std::optional<QString> LoadProfileFile(model::CKeyboardConfig& config, const QString& path,
                                       QString& keptNote);

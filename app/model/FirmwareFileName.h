// Which firmware files belong to which keyboard model: a file's name must begin with the
// model's prefix, exactly, letter case included.
#pragma once

#include <string_view>

namespace model {

// "Z9RT(S)BLe_" for device type 2, "Z9RT(S)_" for 3, "Z9RT(PRSM)_" for 4, and
// "Z9RT(PRSM)BLe_" for every other type.
std::wstring_view FirmwarePrefix(int deviceType);

// The model as firmware messages name it: the prefix without its underscore.
std::wstring_view FirmwareModelCaption(int deviceType);

// Whether a file name (without its folder) is one of the model's firmware files.
bool FirmwareNameFitsModel(std::wstring_view fileName, int deviceType);

}  // namespace model

// The four models, their names and their default key tables.
#pragma once

#include "model/KeyKinds.h"

#include <string_view>

namespace model {

// The model name of a device type: 2 "Z9RT(S)Ble", 3 "Z9RT(S)", 4 "Z9RT(PRSM)", and
// "Z9RT(PRSM)Ble" for every other value (1, and 0 when no keyboard was found). Profiles use it
// as their root element.
std::wstring_view ModelName(int deviceType);

// The device types that have a model name of their own, in device-type order.
inline constexpr int kModelDeviceTypes[] = {kDeviceTypePrsmBle, kDeviceTypeSBle, kDeviceTypeS,
                                            kDeviceTypePrsm};

// The default HW code of a key number and layer on a model; 0 outside the key and layer
// ranges (index 0 included).
int DefaultHWCode(int deviceType, int key, int layer);

}  // namespace model

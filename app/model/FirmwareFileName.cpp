#include "model/FirmwareFileName.h"

#include "OrvoHWI.h"

namespace model {

std::wstring_view FirmwarePrefix(int deviceType) {
    switch (deviceType) {
        case kDeviceTypeSBle:
            return L"Z9RT(S)BLe_";
        case kDeviceTypeS:
            return L"Z9RT(S)_";
        case kDeviceTypePrsm:
            return L"Z9RT(PRSM)_";
        default:
            return L"Z9RT(PRSM)BLe_";
    }
}

std::wstring_view FirmwareModelCaption(int deviceType) {
    std::wstring_view prefix = FirmwarePrefix(deviceType);
    prefix.remove_suffix(1);
    return prefix;
}

bool FirmwareNameFitsModel(std::wstring_view fileName, int deviceType) {
    const std::wstring_view prefix = FirmwarePrefix(deviceType);
    return fileName.substr(0, prefix.size()) == prefix;
}

}  // namespace model

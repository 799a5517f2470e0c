// Placeholder facade so the tree builds before the library's backends exist.
#include "OrvoHWI.h"

COrvoHWI::COrvoHWI() : version_{} {}
COrvoHWI::~COrvoHWI() = default;
COrvoHWI::COrvoHWI(const COrvoHWI& other) = default;
COrvoHWI& COrvoHWI::operator=(const COrvoHWI& other) = default;
bool COrvoHWI::DetectDevice() { return false; }
int COrvoHWI::DetectDeviceType() { return kDeviceTypeNone; }
bool COrvoHWI::__createDev() { return false; }
bool COrvoHWI::__closeDev() { return true; }

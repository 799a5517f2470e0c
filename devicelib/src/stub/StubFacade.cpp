// Placeholder facade so the tree builds before the library's backends exist.
#include "OrvoHWI.h"

COrvoHWI::COrvoHWI() : version_{} {}
COrvoHWI::~COrvoHWI() = default;
COrvoHWI::COrvoHWI(const COrvoHWI& other) = default;
COrvoHWI& COrvoHWI::operator=(const COrvoHWI& other) = default;
bool COrvoHWI::DetectDevice() {
    return false;
}
int COrvoHWI::DetectDeviceType() {
    return kDeviceTypeNone;
}
bool COrvoHWI::__createDev() {
    return false;
}
bool COrvoHWI::__closeDev() {
    return true;
}
bool COrvoHWI::ReadKeyboardVersion(wchar_t*) {
    return false;
}
const wchar_t* COrvoHWI::getHardwareVersion() {
    return version_;
}
bool COrvoHWI::prepare() {
    return false;
}
bool COrvoHWI::setKeyConfiguration(int, int, const int*, int) {
    return false;
}
bool COrvoHWI::getKeyConfiguration(int, int, int*, int) {
    return false;
}
bool COrvoHWI::writeKeyConfigurationToDev(WindowHandle) {
    return false;
}
bool COrvoHWI::readKeyDefinationFromDev(WindowHandle) {
    return false;
}
bool COrvoHWI::setKeyboardLightArea(const int*) {
    return false;
}
bool COrvoHWI::getKeyboardLightArea(int*) {
    return false;
}
bool COrvoHWI::readKeyLightFromDev() {
    return false;
}
bool COrvoHWI::getPressCounterFromDev(int*) {
    return false;
}
bool COrvoHWI::WriteFirmwareToKeyboard(const char*, int, WindowHandle) {
    return false;
}

void SetMessagePoster(MessagePoster) {}
bool PostWindowMessage(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) {
    return false;
}
void InstallHook(WindowHandle) {}
std::intptr_t KeyBoardProc(int, std::uint32_t, const KeyHookRecord*) {
    return 1;
}
void UninstallHook() {}
bool IsHookInstalled() {
    return false;
}
bool IsHookKeyDown(int) {
    return false;
}

#include "channel/KeyboardLock.h"

#include <functional>
#include <windows.h>

namespace z9rt {

// hidapi opens the interface with a share mode that lets other programs open it too, so the
// programs of this package agree on a named mutex per interface instead. The mutex belongs to
// the session: programs of other users' sessions see keyboards of their own.
KeyboardLock::KeyboardLock(const std::string& path) {
    const std::string name =
        "Local\\z9rt-keyboard-" + std::to_string(std::hash<std::string>{}(path));
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex, 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        busy_ = waited == WAIT_TIMEOUT;
        CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

KeyboardLock::~KeyboardLock() {
    if (handle_ != -1) {
        HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

}  // namespace z9rt

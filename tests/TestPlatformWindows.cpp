#include "TestPlatform.h"

#include <windows.h>

namespace testplatform {

// Windows keeps its named pipes out of the file system.
bool MakeFifo(const std::filesystem::path& /*path*/) {
    return false;
}

bool IsFifo(const std::filesystem::path& /*path*/) {
    return false;
}

// A writer at work holds its file open sharing nothing.
std::shared_ptr<void> HoldAsWriter(const std::filesystem::path& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::shared_ptr<void>(file, [](void* handle) { CloseHandle(handle); });
}

bool SwapNames(const std::filesystem::path& /*a*/, const std::filesystem::path& /*b*/) {
    return false;
}

void KnockAsWriter(const std::filesystem::path& /*path*/) {}

}  // namespace testplatform

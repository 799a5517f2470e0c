// The state file on Windows. A file that is held open cannot be replaced there, so the state
// file itself is never held: writers take turns on a named mutex of the file's full path, and
// readers open it only for as long as they read, allowing it to be replaced meanwhile.
#include "channel/sim/SimulatedStateFile.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <system_error>
#include <windows.h>

namespace z9rt::sim {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring WidePath(const std::string& path) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                        length);
    return wide;
}

std::string LastErrorText() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

// Closes a handle when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Reads the rest of `file` into `text`, at most one byte beyond kLargestStateFile.
bool ReadAtMost(HANDLE file, std::string& text, std::string& reason) {
    std::size_t filled = 0;
    text.assign(64 * 1024, '\0');
    while (filled <= kLargestStateFile) {
        if (filled == text.size()) {
            text.resize(std::min(text.size() * 2, kLargestStateFile + 1));
        }
        DWORD count = 0;
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(text.size() - filled, 1 << 20));
        if (!ReadFile(file, text.data() + filled, wanted, &count, nullptr)) {
            reason = LastErrorText();
            return false;
        }
        if (count == 0) {
            break;
        }
        filled += count;
    }
    text.resize(filled);
    return true;
}

}  // namespace

bool WriteTextFile(const std::string& path, const std::string& text) {
    // Written beside the file and moved over it, so that a reader never sees half a file.
    const std::wstring target = WidePath(path);
    const std::wstring temporary = target + L".tmp";
    bool written = false;
    {
        const Handle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            return false;
        }
        DWORD count = 0;
        written =
            WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &count, nullptr) &&
            count == text.size();
    }
    // A reader may have the old file open for a moment: the move is tried a few times.
    for (int attempt = 0; written && attempt < 50; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            return true;
        }
        if (GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_SHARING_VIOLATION) {
            break;
        }
        Sleep(10);
    }
    DeleteFileW(temporary.c_str());  // nothing of a failed write is left behind
    return false;
}

StateFileLock::StateFileLock(const std::string& path, std::string& reason) {
    const std::wstring wide = WidePath(path);
    {
        // Created empty when missing, as a factory-fresh keyboard, so that there is a file.
        const Handle file(CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            reason = LastErrorText();
            return;
        }
        if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
            reason = "not a regular file";
            return;
        }
    }
    std::wstring full(MAX_PATH, L'\0');
    DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    }
    full.resize(length);
    CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));  // names ignore case here
    const std::wstring name =
        L"Local\\z9rt-simulated-state-" + std::to_wstring(std::hash<std::wstring>{}(full));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        reason = LastErrorText();
        return;
    }
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        reason = LastErrorText();
        CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

StateFileLock::~StateFileLock() {
    if (handle_ != -1) {
        HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

StateFileRead ReadStateFile(const std::string& path) {
    StateFileRead result;
    const Handle file(OpenForReading(WidePath(path)));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        result.outcome =
            IsMissing(error) ? StateFileRead::Outcome::Missing : StateFileRead::Outcome::Refused;
        result.reason = std::system_category().message(static_cast<int>(error));
        return result;
    }
    result.outcome = StateFileRead::Outcome::Refused;
    const std::string tooLarge = "larger than " + std::to_string(kLargestStateFile >> 20) + " MiB";
    LARGE_INTEGER size{};
    std::string text;
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        result.reason = "not a regular file";
    } else if (!GetFileSizeEx(file.Get(), &size)) {
        result.reason = LastErrorText();
    } else if (static_cast<std::uint64_t>(size.QuadPart) > kLargestStateFile) {
        result.reason = tooLarge;
    } else if (!ReadAtMost(file.Get(), text, result.reason)) {
        // The reason is set.
    } else if (text.size() > kLargestStateFile) {
        result.reason = tooLarge;  // it grew while it was read
    } else {
        result.outcome = StateFileRead::Outcome::Read;
        result.text = std::move(text);
    }
    return result;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const Handle file(CreateFileW(WidePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &information)) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<unsigned long long>(high) << 32) | low;
    };
    // FILETIME counts 100 ns steps.
    const unsigned long long written =
        join(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime);
    return FileIdentity{
        information.dwVolumeSerialNumber,
        join(information.nFileIndexHigh, information.nFileIndexLow),
        static_cast<long long>(join(information.nFileSizeHigh, information.nFileSizeLow)),
        static_cast<long long>(written / 10000000),
        static_cast<long long>(written % 10000000 * 100)};
}

}  // namespace z9rt::sim

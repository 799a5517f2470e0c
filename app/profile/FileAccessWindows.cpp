// File access on Windows.
//
// A file that some process holds open cannot be replaced or deleted there, so nothing here
// holds a file open for longer than one read or one write, and the files are opened sharing
// deletion. A file is replaced by writing a new file in the same folder under a temporary
// name and moving it over the old one through its own handle. The writer opens its temporary
// file sharing nothing, so that a name nobody holds open was left by a writer that is gone,
// and the next replacement of the same file removes it (a held one cannot be deleted).
//
// The update lock is a named mutex of the file's full path in the session, not a lock on the
// file itself, which would keep the file from being replaced.
#include "profile/FileAccess.h"

#include <algorithm>
#include <random>
#include <system_error>
#include <thread>
#include <utility>
#include <windows.h>

namespace profile {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Attempts at finding an unused temporary name, and at moving over a file a reader holds.
constexpr int kTemporaryNameAttempts = 100;
constexpr int kMoveAttempts = 50;
constexpr std::chrono::milliseconds kMovePause{10};

std::string Text(const std::filesystem::path& path) {
    return path.u8string();
}

// The common failures are told in the C library's words, as on every other platform, so that
// a message (and a script that reads it) does not depend on where the tool runs.
std::string ErrorText(DWORD error) {
    const auto generic = [](std::errc condition) {
        return std::make_error_code(condition).message();
    };
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return generic(std::errc::no_such_file_or_directory);
        case ERROR_ACCESS_DENIED:
            return generic(std::errc::permission_denied);
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return generic(std::errc::file_exists);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return generic(std::errc::no_space_on_device);
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return generic(std::errc::device_or_resource_busy);
        default:
            return std::system_category().message(static_cast<int>(error));
    }
}

std::string Describe(const std::filesystem::path& path, DWORD error) {
    return Text(path) + ": " + ErrorText(error);
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

std::uint64_t RandomToken() {
    static thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return random();
}

// The file a path stands for when it is to be replaced: the path itself, or a symbolic link's
// final target.
struct Target {
    std::filesystem::path path;
    bool exists = false;
    DWORD links = 0;
};

bool Resolve(const std::filesystem::path& path, Target& target, std::string& whyNot) {
    target = Target{path};
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            whyNot = Text(path) + ": a symbolic link to a missing file";
            return false;
        }
        return true;  // a new file
    }
    if (error) {
        whyNot = Text(path) + ": " + error.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        whyNot = Text(path) + ": " + std::make_error_code(std::errc::is_a_directory).message();
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        whyNot = Text(path) + ": not a regular file";
        return false;
    }
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        target.path = std::filesystem::canonical(path, error);
        if (error) {
            whyNot = Text(path) + ": " + error.message();
            return false;
        }
    }
    const Handle file(CreateFileW(target.path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &information)) {
        whyNot = Describe(path, GetLastError());
        return false;
    }
    target.exists = true;
    target.links = information.nNumberOfLinks;
    return true;
}

// Removes the temporary files of `target` in `folder` that no writer holds open any more.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder, const std::string& target) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (IsTemporaryNameOf(entry.path().filename().u8string(), target)) {
            // Best effort: a writer still at work holds it, and deleting it fails.
            DeleteFileW(entry.path().c_str());
        }
    }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr)) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Moves the file open as `file` over `target`, replacing it. A reader may hold the old file
// for a moment (it is opened sharing deletion, which is not enough on every file system), so
// the move is tried a few times.
bool MoveOver(HANDLE file, const std::filesystem::path& target, DWORD& error) {
    const std::wstring name = target.wstring();
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* const rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::copy(name.begin(), name.end(), rename->FileName);
    for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
        if (SetFileInformationByHandle(file, FileRenameInfo, rename,
                                       static_cast<DWORD>(buffer.size()))) {
            return true;
        }
        error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) {
            return false;
        }
        std::this_thread::sleep_for(kMovePause);
    }
    return false;
}

}  // namespace

FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes) {
    FileRead read;
    auto refuse = [&read](FileRead::Problem problem, std::string whyNot) {
        read.problem = problem;
        read.whyNot = std::move(whyNot);
        read.bytes.clear();
        return std::move(read);
    };
    const auto tooLarge = [&path] { return Text(path) + ": file too large"; };
    // Opened once, then judged by what was opened; a folder opens only with backup semantics.
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.Valid() || !GetFileInformationByHandle(file.Get(), &information)) {
        return refuse(FileRead::Problem::CannotOpen, Describe(path, GetLastError()));
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return refuse(
            FileRead::Problem::NotRegularFile,
            Text(path) + ": " + std::make_error_code(std::errc::is_a_directory).message());
    }
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return refuse(FileRead::Problem::NotRegularFile, Text(path) + ": not a regular file");
    }
    read.size =
        (static_cast<std::uintmax_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    if (read.size > maxBytes) {
        return refuse(FileRead::Problem::TooLarge, tooLarge());
    }
    // The size is only a hint (files may grow while they are read).
    constexpr std::size_t kMinimumRead = 1 << 16;
    std::size_t filled = 0;
    read.bytes.resize(
        std::min(std::max(static_cast<std::size_t>(read.size) + 1, kMinimumRead), maxBytes + 1));
    while (true) {
        if (filled == read.bytes.size()) {
            if (read.bytes.size() > maxBytes) {
                read.size = filled;
                return refuse(FileRead::Problem::TooLarge, tooLarge());
            }
            read.bytes.resize(std::min(read.bytes.size() * 2, maxBytes + 1));
        }
        const auto wanted =
            static_cast<DWORD>(std::min<std::size_t>(read.bytes.size() - filled, 1 << 20));
        DWORD count = 0;
        if (!ReadFile(file.Get(), read.bytes.data() + filled, wanted, &count, nullptr)) {
            return refuse(FileRead::Problem::CannotOpen, Describe(path, GetLastError()));
        }
        if (count == 0) {
            break;
        }
        filled += count;
    }
    read.bytes.resize(filled);
    read.size = filled;
    return read;
}

bool ReplaceFileContents(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce, std::string& whyNot) {
    Target target;
    if (!Resolve(path, target, whyNot)) {
        return false;
    }
    if (target.exists && target.links > 1) {
        whyNot = Text(path) + ": the file has " + std::to_string(target.links) +
                 " hard links, which a replacement would cut off; save it under another name";
        return false;
    }
    const std::string targetName = target.path.filename().u8string();
    std::filesystem::path folder = target.path.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    RemoveAbandonedTemporaries(folder, targetName);

    // Shared with nobody while it is written; deleted if it is closed before it was moved.
    HANDLE created = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::filesystem::path name =
            folder / std::filesystem::u8path(TemporaryNameOf(targetName, RandomToken()));
        created = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE) {
            break;
        }
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    const Handle file(created);
    if (!file.Valid()) {
        whyNot = Describe(path, error);
        return false;
    }
    auto fail = [&](DWORD failure) {
        if (failure != 0) {
            whyNot = Describe(path, failure);
        }
        FILE_DISPOSITION_INFO gone{TRUE};
        SetFileInformationByHandle(file.Get(), FileDispositionInfo, &gone, sizeof gone);
        return false;
    };
    DWORD writeError = 0;
    const ByteSink sink = [&file, &writeError](std::string_view piece) {
        if (!WriteAll(file.Get(), piece)) {
            writeError = GetLastError();
            return false;
        }
        return true;
    };
    if (!produce(sink)) {
        return fail(writeError != 0 ? writeError : ERROR_WRITE_FAULT);
    }
    if (!FlushFileBuffers(file.Get())) {
        return fail(GetLastError());
    }
    if (!MoveOver(file.Get(), target.path, error)) {
        return fail(error);
    }
    return true;
}

void FileLock::Release() {
    if (handle_ != kNone) {
        HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        handle_ = kNone;
    }
}

bool LockFileForUpdate(const std::filesystem::path& path, FileLock& lock, std::string& whyNot) {
    lock.Release();
    Target target;
    if (!Resolve(path, target, whyNot)) {
        return false;
    }
    if (!target.exists) {
        return true;  // nothing to guard yet
    }
    std::error_code error;
    std::wstring full = std::filesystem::absolute(target.path, error).wstring();
    CharLowerBuffW(full.data(), static_cast<DWORD>(full.size()));  // names ignore case here
    const std::wstring name =
        L"Local\\z9rt-file-" + std::to_wstring(std::hash<std::wstring>{}(full));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        whyNot = Describe(path, GetLastError());
        return false;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kFileLockWait);
    const DWORD waited = WaitForSingleObject(mutex, static_cast<DWORD>(wait.count()));
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        whyNot = Text(path) + ": another program is changing the file; try again";
        return false;
    }
    lock.handle_ = reinterpret_cast<std::intptr_t>(mutex);
    return true;
}

}  // namespace profile

// What the tests need of the platform beyond the standard library: named pipes, files a
// writer holds, and swapping two names. Each platform has its own file; where a platform has
// no such thing, the helper says so by failing, and the tests that need it are not run there.
#pragma once

#include <filesystem>
#include <memory>

namespace testplatform {

// Creates a named pipe (FIFO) at `path`; false where the platform has none.
bool MakeFifo(const std::filesystem::path& path);
// Whether `path` is a named pipe.
bool IsFifo(const std::filesystem::path& path);

// Holds the file open as a writer at work would, until the returned object goes; null when
// the file cannot be opened.
std::shared_ptr<void> HoldAsWriter(const std::filesystem::path& path);

// Exchanges the files two names lead to in one step; false where the platform cannot.
bool SwapNames(const std::filesystem::path& a, const std::filesystem::path& b);
// Opens the named pipe at `path` for writing without waiting, and closes it again, so that a
// reader waiting on it goes on.
void KnockAsWriter(const std::filesystem::path& path);

}  // namespace testplatform

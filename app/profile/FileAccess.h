// Reading a whole file, and replacing a file's content without ever leaving it half written.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Takes the next piece of a file's content; false stops the writing (the write failed).
using ByteSink = std::function<bool(std::string_view)>;

// Reads the whole file into `bytes`. False, with the reason in `whyNot`, when it cannot be
// opened or read, is not a regular file (a FIFO or a device is refused without being read)
// or is larger than `maxBytes`.
bool ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                   std::string& whyNot);

// Writes `bytes` to a new file beside `path`, flushes it to the disk and renames it over
// `path` (over the file a symbolic link points to, for a link). An existing file keeps its
// permissions. On failure the new file is removed, `path` is untouched and `whyNot` says why.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& whyNot);
// The same with the content handed over in pieces by `produce`, which returns false when it
// could not produce all of it.
bool ReplaceFileContents(const std::filesystem::path& path,
                         const std::function<bool(const ByteSink&)>& produce, std::string& whyNot);

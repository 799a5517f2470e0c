// The parts of file access that are the same on every platform.
#include "profile/FileAccess.h"

#include <cctype>
#include <cstdio>

namespace profile {

namespace {

// ".NAME.z9rt-0123456789abcdef.tmp": ours. ".NAME.tmp123456789": what earlier versions wrote,
// without any way of telling whether their writer was still alive.
constexpr std::string_view kOurMarker = "z9rt-";
constexpr std::string_view kOurEnd = ".tmp";
constexpr std::size_t kTokenDigits = 16;
constexpr std::string_view kEarlierMarker = "tmp";
constexpr std::size_t kEarlierMostDigits = 10;

bool AllOf(std::string_view text, int (*is)(int)) {
    for (char c : text) {
        if (is(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                   std::string& whyNot) {
    FileRead read = ReadRegularFile(path, maxBytes);
    bytes = std::move(read.bytes);
    whyNot = std::move(read.whyNot);
    return read.Ok();
}

bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string& whyNot) {
    return ReplaceFileContents(
        path, [bytes](const ByteSink& sink) { return sink(bytes); }, whyNot);
}

std::string TemporaryNameOf(std::string_view target, std::uint64_t token) {
    char digits[kTokenDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(token));
    std::string name = ".";
    name.append(target).append(".").append(kOurMarker).append(digits).append(kOurEnd);
    return name;
}

bool IsTemporaryNameOf(std::string_view name, std::string_view target) {
    if (name.size() < target.size() + 2 || name[0] != '.' ||
        name.substr(1, target.size()) != target || name[target.size() + 1] != '.') {
        return false;
    }
    const std::string_view rest = name.substr(target.size() + 2);
    if (rest.size() == kOurMarker.size() + kTokenDigits + kOurEnd.size() &&
        rest.substr(0, kOurMarker.size()) == kOurMarker &&
        rest.substr(rest.size() - kOurEnd.size()) == kOurEnd) {
        return AllOf(rest.substr(kOurMarker.size(), kTokenDigits), std::isxdigit);
    }
    if (rest.size() > kEarlierMarker.size() &&
        rest.size() <= kEarlierMarker.size() + kEarlierMostDigits &&
        rest.substr(0, kEarlierMarker.size()) == kEarlierMarker) {
        return AllOf(rest.substr(kEarlierMarker.size()), std::isdigit);
    }
    return false;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

}  // namespace profile

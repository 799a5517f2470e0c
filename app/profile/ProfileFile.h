// Profile files: the libraries, key colours and key assignments of a configuration in an XML
// file whose root element is named after the keyboard model.
#pragma once

#include "model/KeyboardConfig.h"
#include "profile/FileAccess.h"
#include "profile/XmlDoc.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class ProfileStatus {
    Ok,
    CannotRead,         // the file cannot be opened or read
    CannotWrite,        // the file cannot be written
    NotAProfile,        // the file holds no profile of any model
    OtherModel,         // the file is the profile of another keyboard model
    Damaged,            // not well-formed markup, or a value out of range (at `line`)
    TooLarge,           // beyond the limits a profile is read within
    RefusedAssignment,  // a key's assignment would not reach the keyboard as it is
};

// A key the main window's Open left as it was, because the profile's assignment for it would
// not reach the keyboard as it is.
struct KeptAssignment {
    int key = 0;
    int layer = 0;
    std::string problem;  // in English, as the assignment rules word it
};

// What a profile load or save came to, for the caller to show.
struct [[nodiscard]] ProfileResult {
    ProfileResult() = default;
    ProfileResult(ProfileStatus status_, std::string detail_ = {}, std::size_t line_ = 0)
        : status(status_), detail(std::move(detail_)), line(line_) {}

    ProfileStatus status = ProfileStatus::Ok;
    // The system's reason for CannotRead and CannotWrite, the file's model name for
    // OtherModel, what is wrong for Damaged and TooLarge, the key, layer and rule for
    // RefusedAssignment; otherwise empty.
    std::string detail;
    std::size_t line = 0;  // of a Damaged or TooLarge profile, from 1; 0 when not known
    // Keys a load with AssignmentPolicy::KeepPrevious left as they were.
    std::vector<KeptAssignment> kept;

    bool Ok() const { return status == ProfileStatus::Ok; }
    // One line in English, e.g. "profile of another keyboard model (Z9RT(S))".
    std::string Message() const;
};

// The profile file extension, without the dot.
inline constexpr const char* kProfileExtension = "pro";

// Writes the profile of `config` (its model from deviceType), holding the file's update lock
// for the write. The file is replaced only when the new one is completely written. Lists
// beyond what a profile is read within are refused: the program never writes a profile it
// would refuse to read.
ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path);
// The same for a caller that holds the file's update lock already (a read-modify-write).
ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path,
                          const FileLock& held);

// What a load does with a key whose assignment would not reach the keyboard as it is.
enum class AssignmentPolicy {
    Refuse,        // the whole profile is refused (RefusedAssignment), naming the first such key
    KeepPrevious,  // the key keeps what the configuration held; ProfileResult::kept lists it
};

struct ProfileLoadOptions {
    AssignmentPolicy assignments = AssignmentPolicy::Refuse;
    // Take the profile of whichever model it is; deviceType becomes that model.
    bool anyModel = false;
};

// Replaces the libraries, key colours and key assignments of `config` with those of the
// profile and forgets the press counters. Keys, layers and colours the file does not give take
// the model's defaults; entries of key index 0 stay as they were. On any failure `config` is
// left exactly as it was. The code tables of `config` must be built.
ProfileResult LoadProfile(CKeyboardConfig& config, const std::filesystem::path& path,
                          const ProfileLoadOptions& options = {});

// The same on text in memory: the text SaveProfile writes (UTF-8, as the file holds it), the
// same as a parsed document, and reading a profile's text (as a file holds it, in any of the
// encodings documents are read in) into a configuration.
std::string ProfileText(const CKeyboardProfile& profile, int deviceType);
void BuildProfileDocument(const CKeyboardProfile& profile, int deviceType, CXmlDoc& doc);
ProfileResult ReadProfileBytes(std::string_view bytes, CKeyboardConfig& config,
                               const ProfileLoadOptions& options = {});
// Reads the text of a parsed document.
ProfileResult ReadProfileDocument(const CXmlDoc& doc, CKeyboardConfig& config,
                                  const ProfileLoadOptions& options = {});

// "key 2 (F1), RightFn": a key and layer as messages name them.
std::string KeyLayerWords(int key, int layer);

// Profile files: the libraries, key colours and key assignments of a configuration in an XML
// file whose root element is named after the keyboard model.
#pragma once

#include "model/KeyboardConfig.h"
#include "profile/XmlDoc.h"

#include <filesystem>
#include <string>

enum class ProfileStatus {
    Ok,
    CannotRead,   // the file cannot be opened or read
    CannotWrite,  // the file cannot be written
    NotAProfile,  // the file holds no profile of any model
    OtherModel,   // the file is the profile of another keyboard model
    Damaged,      // the profile's root element is not closed: the file was cut off
};

// What a profile load or save came to, for the caller to show.
struct [[nodiscard]] ProfileResult {
    ProfileStatus status = ProfileStatus::Ok;
    // The system's reason for CannotRead and CannotWrite, the file's model name for
    // OtherModel, otherwise empty.
    std::string detail;

    bool Ok() const { return status == ProfileStatus::Ok; }
    // One line in English, e.g. "profile of another keyboard model (Z9RT(S))".
    std::string Message() const;
};

// The profile file extension, without the dot.
inline constexpr const char* kProfileExtension = "pro";

// Writes the profile of `config` (its model from deviceType). The file is replaced only when
// the new one is completely written.
ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path);

// Replaces the libraries, key colours and key assignments of `config` with those of the
// profile and forgets the press counters. Keys, layers and colours the file does not give take
// the model's defaults; entries of key index 0 stay as they were. On any failure `config` is
// left exactly as it was.
ProfileResult LoadProfile(CKeyboardConfig& config, const std::filesystem::path& path);

// The same on a document in memory: the document SaveProfile writes, and reading a parsed
// document into a configuration.
void BuildProfileDocument(const CKeyboardProfile& profile, int deviceType, CXmlDoc& doc);
ProfileResult ReadProfileDocument(CXmlDoc& doc, CKeyboardConfig& config);

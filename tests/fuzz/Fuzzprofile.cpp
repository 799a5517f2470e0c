// Profile loading on any bytes: it never fails badly, never reports success for a file it
// could not use, changes nothing when it refuses, judges the keys alike whether it refuses the
// profile or keeps the keys it cannot take, and a profile it loaded saves and loads again to
// exactly the same configuration.
#include "FuzzSupport.h"
#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using profile::AssignmentPolicy;
using profile::BuildProfileDocument;
using profile::CXmlDoc;
using profile::ProfileLoadOptions;
using profile::ProfileResult;
using profile::ProfileStatus;
using profile::ReadProfileBytes;

namespace {

using fuzzsupport::Require;

std::unique_ptr<CKeyboardConfig> Fresh() {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    return config;
}

// What a loaded configuration saves as reads back as the same.
void RequireRoundTrip(const CKeyboardConfig& config) {
    CXmlDoc saved;
    BuildProfileDocument(config, config.deviceType, saved);
    Require(!saved.WriteFailed());
    auto again = Fresh();
    Require(ReadProfileBytes(saved.EncodedText(), *again).Ok());
    Require(static_cast<const CKeyboardProfile&>(*again) ==
            static_cast<const CKeyboardProfile&>(config));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto config = Fresh();
    const CKeyboardProfile before = *config;
    const ProfileResult result = ReadProfileBytes(bytes, *config);
    if (!result.Ok()) {
        Require(static_cast<const CKeyboardProfile&>(*config) == before);
        Require(config->highestKey == -1);
        Require(!result.Message().empty());
    } else {
        Require(result.kept.empty());
        RequireRoundTrip(*config);
    }

    // The main window's way: the same keys are judged, and only those keep what they held.
    auto kept = Fresh();
    ProfileLoadOptions keep;
    keep.assignments = AssignmentPolicy::KeepPrevious;
    const ProfileResult keeping = ReadProfileBytes(bytes, *kept, keep);
    Require(keeping.Ok() == (result.Ok() || result.status == ProfileStatus::RefusedAssignment));
    Require(keeping.kept.empty() == (result.status != ProfileStatus::RefusedAssignment));
    if (keeping.Ok()) {
        RequireRoundTrip(*kept);
    }
    return 0;
}

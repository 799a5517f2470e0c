// Profile loading on any bytes: it never fails badly, never reports success for a file it
// could not use, and a profile it loaded saves and loads again to exactly the same
// configuration.
#include "FuzzSupport.h"
#include "model/KeyboardConfig.h"
#include "profile/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

using fuzzsupport::Require;

std::unique_ptr<CKeyboardConfig> Fresh() {
    auto config = std::make_unique<CKeyboardConfig>();
    config->BuildCodeTables();
    config->deviceType = kDeviceTypePrsmBle;
    config->ResetToDefaults();
    return config;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CXmlDoc doc;
    doc.LoadBytes(std::string(reinterpret_cast<const char*>(data), size));
    auto config = Fresh();
    const CKeyboardProfile before = *config;
    const ProfileResult result = ReadProfileDocument(doc, *config);
    if (!result.Ok()) {
        Require(static_cast<const CKeyboardProfile&>(*config) == before);
        Require(config->highestKey == -1);
        return 0;
    }

    CXmlDoc saved;
    BuildProfileDocument(*config, config->deviceType, saved);
    Require(!saved.WriteFailed());
    CXmlDoc reread;
    reread.LoadBytes(saved.EncodedText());
    auto again = Fresh();
    Require(ReadProfileDocument(reread, *again).Ok());
    Require(static_cast<const CKeyboardProfile&>(*again) ==
            static_cast<const CKeyboardProfile&>(*config));
    return 0;
}

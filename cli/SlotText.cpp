#include "SlotText.h"

#include "model/AssignmentText.h"
#include "model/WideText.h"

using model::AssignmentText;
using model::CKeyboardConfig;
using model::IsKeyKind;
using model::kCaptionEnglish;
using model::kNoMacroTextLimit;
using model::Utf8FromWide;

namespace z9rt::cli {

std::string KindNameOf(const CKeyboardConfig& config, int kind) {
    if (!IsKeyKind(kind))
        return std::to_string(kind);
    return Utf8FromWide(config.kindName[kCaptionEnglish][static_cast<std::size_t>(kind)]);
}

std::string AssignmentOf(const CKeyboardConfig& config, int key, int layer) {
    return Utf8FromWide(AssignmentText(config, key, layer, kNoMacroTextLimit));
}

}  // namespace z9rt::cli

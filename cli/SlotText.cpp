#include "SlotText.h"

#include "model/AssignmentText.h"
#include "model/WideText.h"

#include <cstdio>

using model::AssignmentText;
using model::CKeyboardConfig;
using model::IsKeyKind;
using model::kCaptionEnglish;
using model::kNoMacroTextLimit;
using model::RGBColor;
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

std::string SlotWords(const CKeyboardConfig& config, int key, int layer) {
    const std::string assignment = AssignmentOf(config, key, layer);
    const int kind = config.keyMode[static_cast<std::size_t>(key)][static_cast<std::size_t>(layer)];
    const std::string kindName = KindNameOf(config, kind);
    return assignment.empty() ? kindName : kindName + " " + assignment;
}

std::string HexColour(const RGBColor& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.Red & 0xFF, colour.Green & 0xFF,
                  colour.Blue & 0xFF);
    return text;
}

void WriteColourJson(JsonWriter& json, const char* name, const RGBColor& colour) {
    json.Key(name)
        .BeginObject()
        .Key("red")
        .Number(colour.Red)
        .Key("green")
        .Number(colour.Green)
        .Key("blue")
        .Number(colour.Blue)
        .EndObject();
}

}  // namespace z9rt::cli

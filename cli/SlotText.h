// How the tool words one key's assignment on one layer: the kind's name and the assignment
// (the layer's name is the model's LayerName), as `show` prints them and the editing commands
// report their changes.
#pragma once

#include "JsonWriter.h"
#include "model/KeyboardConfig.h"

#include <string>

namespace z9rt::cli {

// The English caption of a kind ("Combo"), or its number when it is no kind.
std::string KindNameOf(const model::CKeyboardConfig& config, int kind);
// What the key does on the layer, in full (macros are not cut short).
std::string AssignmentOf(const model::CKeyboardConfig& config, int key, int layer);
// The kind's name, then the assignment when there is one: "Combo LCTRL | C".
std::string SlotWords(const model::CKeyboardConfig& config, int key, int layer);
// "#rrggbb".
std::string HexColour(const model::RGBColor& colour);
// `name`: {"red": r, "green": g, "blue": b}, as the JSON output gives a colour.
void WriteColourJson(JsonWriter& json, const char* name, const model::RGBColor& colour);

}  // namespace z9rt::cli

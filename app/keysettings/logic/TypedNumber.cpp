#include "keysettings/logic/TypedNumber.h"

#include "keysettings/logic/EmulationRecorder.h"
#include "keysettings/logic/MacroLimits.h"
#include "model/WideText.h"

using model::ParseDecimal;

namespace keysettings {

TypedNumber ReadTypedNumber(std::wstring_view text, int lowest, int highest) {
    const int value = ParseDecimal(text);
    if (value > highest) {
        return {highest, std::to_wstring(highest)};
    }
    if (value < lowest) {
        return {lowest, std::to_wstring(lowest)};
    }
    return {value, std::nullopt};
}

TypedNumber ReadRepeatCount(std::wstring_view text) {
    return ReadTypedNumber(text, kFewestCycles, kMostCycles);
}

TypedNumber ReadMacroInterval(std::wstring_view text) {
    return ReadTypedNumber(text, kShortestInterval, kLongestInterval);
}

TypedNumber ReadEmulationInterval(std::wstring_view text) {
    // The edit takes digits only, so nothing below 0 can be typed; a pasted sign is still
    // kept out of the content.
    return ReadTypedNumber(text, 0, kLongestEmulationInterval);
}

}  // namespace keysettings

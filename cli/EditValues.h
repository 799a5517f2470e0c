// The values the editing commands read from the command line: keys, key lists, colours,
// layers, play modes and bounded numbers. Each parser returns the value or says what is wrong
// and what would be accepted.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z9rt::cli {

template <typename T>
struct Parsed {
    std::optional<T> value;
    std::string error;  // set when value is not
};

// A key number 1..82, or the caption the main window shows on the key, letter case aside.
// Digits always mean key numbers (the keys captioned "1" to "0" are keys 16 to 25).
Parsed<int> ParseKey(std::string_view text);

// "all", or keys separated by commas, where "N-M" stands for the keys N to M. Each key once,
// in the order given.
Parsed<std::vector<int>> ParseKeys(std::string_view text);

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
};
// "#rrggbb" or "rrggbb" in hexadecimal digits.
Parsed<Colour> ParseColour(std::string_view text);

// "none", "right" or "left" (or "NoneFn", "RightFn", "LeftFn", or 0..2): layer 0..2.
Parsed<int> ParseLayer(std::string_view text);
// "times", "hold" or "toggle" (or 0..2): a macro's play mode.
Parsed<int> ParsePlayMode(std::string_view text);
// A decimal number from `lowest` to `highest`; `what` names it in the refusal.
Parsed<int> ParseNumberIn(std::string_view text, int lowest, int highest, const std::string& what);

}  // namespace z9rt::cli

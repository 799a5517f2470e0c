// Matching what a user typed against a table of names: letter case aside, and when nothing
// matches, the names the user probably meant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace z9rt::cli {

// Equal, ASCII letter case aside.
bool SameLetters(std::string_view a, std::string_view b);

// The names closest to `text` (fewest single-character edits, letter case aside, a swap of two
// neighbours counting as one edit), as long as they are close enough to be a typing slip; when
// none is, the names that contain `text`. At most four, in the order of `names`.
std::vector<std::string> ClosestNames(std::string_view text, const std::vector<std::string>& names);

// "'a'", "'a' or 'b'", "'a', 'b' or 'c'".
std::string QuotedChoice(const std::vector<std::string>& names);

// "; did you mean 'a' or 'b'?", or "" without suggestions.
std::string DidYouMean(const std::vector<std::string>& suggestions);

// What to add to a refusal of `text`: the names it probably meant ("; did you mean 'a'?"), or
// else all of them ("; use 'a', 'b' or 'c'").
std::string DidYouMeanOrUse(std::string_view text, const std::vector<std::string>& names);

}  // namespace z9rt::cli

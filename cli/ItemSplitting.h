// Splitting a list typed on the command line ("LCTRL+A", "A Down,<30 ms>,A UP") into its
// items, where the separator may itself be part of an item: the key names "," and "(+)".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace z9rt::cli {

// Judges one item (blanks around it already removed): "" when it is acceptable, otherwise
// what is wrong with it.
using ItemJudge = std::function<std::string(std::string_view item)>;

struct SplitItems {
    std::vector<std::string> items;  // every item, blanks around it removed
    std::string error;               // non-empty: what is wrong with the first unreadable item
};

// Splits `text` at `separator` so that `judge` accepts every item. Where a separator could
// either end an item or belong to it, the reading that accepts the whole text wins. When no
// reading does, `error` is the judge's word on the first item that cannot be read.
SplitItems SplitIntoItems(std::string_view text, char separator, const ItemJudge& judge);

// `text` without the blanks (spaces, tabs, line ends) around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace z9rt::cli

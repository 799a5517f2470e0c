#include "ItemSplitting.h"

#include <algorithm>
#include <optional>

namespace z9rt::cli {
namespace {

// An item holds at most this many separators of its own ("," holds one); bounding it keeps a
// long macro's split linear.
constexpr std::size_t kSeparatorsWithinAnItem = 2;

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

SplitItems SplitIntoItems(std::string_view text, char separator, const ItemJudge& judge) {
    // Items end at a separator or at the end of the text; the next one starts after it.
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            ends.push_back(i);
        }
    }
    ends.push_back(text.size());

    // reached[e]: the item ending at ends[e] completes a reading of everything before it;
    // startOf[e] is where that item started, as an index into ends (-1: the text's start).
    std::vector<std::optional<long>> startOf(ends.size());
    auto startPosition = [&](long start) {
        return start < 0 ? std::size_t{0} : ends[static_cast<std::size_t>(start)] + 1;
    };
    for (long start = -1; start < static_cast<long>(ends.size()) - 1; ++start) {
        if (start >= 0 && !startOf[static_cast<std::size_t>(start)]) {
            continue;  // nothing before this separator can be read
        }
        const std::size_t from = startPosition(start);
        const std::size_t last = std::min(
            ends.size() - 1, static_cast<std::size_t>(start + 1) + kSeparatorsWithinAnItem);
        for (std::size_t end = static_cast<std::size_t>(start + 1); end <= last; ++end) {
            if (!startOf[end] && judge(TrimBlanks(text.substr(from, ends[end] - from))).empty()) {
                startOf[end] = start;
            }
        }
    }

    SplitItems result;
    if (!startOf.back()) {
        // Blame the item after the furthest point that could be read.
        long furthest = -1;
        for (std::size_t end = 0; end + 1 < ends.size(); ++end) {
            if (startOf[end]) {
                furthest = static_cast<long>(end);
            }
        }
        const std::size_t from = startPosition(furthest);
        const std::size_t to = ends[static_cast<std::size_t>(furthest + 1)];
        result.error = judge(TrimBlanks(text.substr(from, to - from)));
        return result;
    }
    // Collected from the last item back, then turned round: inserting each at the front
    // would take time quadratic in the number of items.
    for (long end = static_cast<long>(ends.size()) - 1; end >= 0;) {
        const long start = *startOf[static_cast<std::size_t>(end)];
        const std::size_t from = startPosition(start);
        result.items.emplace_back(
            TrimBlanks(text.substr(from, ends[static_cast<std::size_t>(end)] - from)));
        end = start;
    }
    std::reverse(result.items.begin(), result.items.end());
    return result;
}

}  // namespace z9rt::cli

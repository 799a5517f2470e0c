#include "NameMatching.h"

#include <algorithm>
#include <cctype>

namespace z9rt::cli {
namespace {

constexpr std::size_t kMostSuggestions = 4;
// Names shorter than this offer no "contains" suggestions: one letter is in half the table.
constexpr std::size_t kShortestContainedText = 2;

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Edits that still count as a slip of the fingers, by the length of what was typed.
std::size_t SlipLimit(std::size_t length) {
    if (length <= 3) {
        return 1;
    }
    return length <= 6 ? 2 : 3;
}

// Optimal string alignment distance, letter case aside.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    const std::size_t columns = b.size() + 1;
    std::vector<std::size_t> d((a.size() + 1) * columns);
    auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return d[i * columns + j]; };
    for (std::size_t i = 0; i <= a.size(); ++i) {
        at(i, 0) = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        at(0, j) = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1])) {
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
            }
        }
    }
    return at(a.size(), b.size());
}

bool ContainsLetters(std::string_view name, std::string_view text) {
    return std::search(name.begin(), name.end(), text.begin(), text.end(),
                       [](char x, char y) { return Lower(x) == Lower(y); }) != name.end();
}

}  // namespace

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> ClosestNames(std::string_view text,
                                      const std::vector<std::string>& names) {
    std::vector<std::string> closest;
    // A slip leaves at least one character of what was meant: "q" does not suggest "a".
    std::size_t best = std::min(SlipLimit(text.size()), text.size() - (text.empty() ? 0 : 1));
    for (const std::string& name : names) {
        const std::size_t distance = EditDistance(text, name);
        if (distance > best) {
            continue;
        }
        if (distance < best) {
            best = distance;
            closest.clear();
        }
        if (closest.size() < kMostSuggestions) {
            closest.push_back(name);
        }
    }
    if (!closest.empty() || text.size() < kShortestContainedText) {
        return closest;
    }
    for (const std::string& name : names) {
        if (ContainsLetters(name, text) && closest.size() < kMostSuggestions) {
            closest.push_back(name);
        }
    }
    return closest;
}

std::string QuotedChoice(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += i + 1 == names.size() ? " or " : ", ";
        }
        text += "'" + names[i] + "'";
    }
    return text;
}

std::string DidYouMean(const std::vector<std::string>& suggestions) {
    return suggestions.empty() ? "" : "; did you mean " + QuotedChoice(suggestions) + "?";
}

std::string DidYouMeanOrUse(std::string_view text, const std::vector<std::string>& names) {
    const std::vector<std::string> suggestions = ClosestNames(text, names);
    return suggestions.empty() ? "; use " + QuotedChoice(names) : DidYouMean(suggestions);
}

}  // namespace z9rt::cli

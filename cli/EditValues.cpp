#include "EditValues.h"

#include "NameMatching.h"
#include "model/CodeTables.h"
#include "model/KeyKinds.h"
#include "model/WideText.h"

#include <algorithm>
#include <cctype>

using model::IsKeyNumber;
using model::KeyCaption;
using model::kFirstKeyNumber;
using model::kLastKeyNumber;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && text.size() <= 9 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

int DecimalOf(std::string_view text) {
    int value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

Parsed<int> KeyNumber(std::string_view text) {
    const int key = DecimalOf(text);
    if (!IsKeyNumber(key)) {
        return {std::nullopt, "there is no key " + std::string(text) + ": keys are numbered " +
                                  std::to_string(kFirstKeyNumber) + " to " +
                                  std::to_string(kLastKeyNumber)};
    }
    return {key, ""};
}

// One word among several, letter case aside, with its value.
template <std::size_t N>
std::optional<int> WordValue(std::string_view text, const char* const (&words)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (SameLetters(text, words[i])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

Parsed<int> ParseKey(std::string_view text) {
    if (AllDigits(text)) {
        return KeyNumber(text);
    }
    std::vector<int> keys;
    std::vector<std::string> captions;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const std::string caption = Utf8FromWide(KeyCaption(key));
        if (SameLetters(caption, text)) {
            keys.push_back(key);
        }
        if (std::find(captions.begin(), captions.end(), caption) == captions.end()) {
            captions.push_back(caption);
        }
    }
    if (keys.size() == 1) {
        return {keys.front(), ""};
    }
    const std::string typed(text);
    if (keys.size() > 1) {
        std::string numbers;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            numbers += (i == 0                 ? ""
                        : i + 1 == keys.size() ? " and "
                                               : ", ") +
                       std::to_string(keys[i]);
        }
        return {std::nullopt,
                "the caption '" + typed + "' is on keys " + numbers + "; give the key number"};
    }
    return {std::nullopt, "unknown key '" + typed + "'" + DidYouMean(ClosestNames(text, captions)) +
                              " (a key is its number 1..82 or its caption)"};
}

Parsed<std::vector<int>> ParseKeys(std::string_view text) {
    std::vector<int> keys;
    auto add = [&keys](int key) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
        }
    };
    if (SameLetters(text, "all")) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            add(key);
        }
        return {keys, ""};
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view word = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        const std::size_t dash = word.find('-');
        if (dash != std::string_view::npos && AllDigits(word.substr(0, dash)) &&
            AllDigits(word.substr(dash + 1))) {
            const Parsed<int> first = KeyNumber(word.substr(0, dash));
            const Parsed<int> last = KeyNumber(word.substr(dash + 1));
            if (!first.value || !last.value) {
                return {std::nullopt, first.value ? last.error : first.error};
            }
            if (*first.value > *last.value) {
                return {std::nullopt, "the key range '" + std::string(word) +
                                          "' runs backwards; write the lower number first"};
            }
            for (int key = *first.value; key <= *last.value; ++key) {
                add(key);
            }
        } else {
            const Parsed<int> key = ParseKey(word);
            if (!key.value) {
                return {std::nullopt, key.error};
            }
            add(*key.value);
        }
        if (comma == std::string_view::npos) {
            return {keys, ""};
        }
        start = comma + 1;
    }
}

Parsed<Colour> ParseColour(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '#') {
        digits.remove_prefix(1);
    }
    const bool hex = digits.size() == 6 && std::all_of(digits.begin(), digits.end(), [](char c) {
                         return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                     });
    if (!hex) {
        return {std::nullopt, "colour '" + std::string(text) +
                                  "' is not #rrggbb (six hexadecimal digits, e.g. #ff8000)"};
    }
    auto component = [digits](std::size_t at) {
        return std::stoi(std::string(digits.substr(at, 2)), nullptr, 16);
    };
    return {Colour{component(0), component(2), component(4)}, ""};
}

Parsed<int> ParseLayer(std::string_view text) {
    static const char* const kShortNames[] = {"none", "right", "left"};
    static const char* const kLayerNames[] = {"NoneFn", "RightFn", "LeftFn"};
    static const char* const kNumbers[] = {"0", "1", "2"};
    for (const auto* words : {&kShortNames, &kLayerNames, &kNumbers}) {
        if (const std::optional<int> layer = WordValue(text, *words)) {
            return {layer, ""};
        }
    }
    return {std::nullopt, "unknown layer '" + std::string(text) + "': use none, right or left"};
}

Parsed<int> ParsePlayMode(std::string_view text) {
    static const char* const kModes[] = {"times", "hold", "toggle"};
    static const char* const kNumbers[] = {"0", "1", "2"};
    for (const auto* words : {&kModes, &kNumbers}) {
        if (const std::optional<int> mode = WordValue(text, *words)) {
            return {mode, ""};
        }
    }
    return {std::nullopt, "unknown play mode '" + std::string(text) +
                              "': use times (play N times), hold (play while the key is held) or "
                              "toggle (one press starts, the next stops)"};
}

Parsed<int> ParseNumberIn(std::string_view text, int lowest, int highest, const std::string& what) {
    if (AllDigits(text)) {
        const int value = DecimalOf(text);
        if (value >= lowest && value <= highest) {
            return {value, ""};
        }
    }
    return {std::nullopt, what + " '" + std::string(text) + "' is not a number from " +
                              std::to_string(lowest) + " to " + std::to_string(highest)};
}

}  // namespace z9rt::cli

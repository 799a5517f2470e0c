#include "channel/sim/SimulatedFaults.h"

#include <cstdlib>

namespace z9rt::sim {
namespace {

constexpr std::string_view kUnplugAfter = "unplug-after=";
constexpr std::string_view kSilentAfter = "silent-after=";
constexpr std::string_view kDrop = "drop=";

std::string_view Trim(std::string_view word) {
    const std::size_t first = word.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = word.find_last_not_of(" \t");
    return word.substr(first, last - first + 1);
}

std::optional<long> ParseCount(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    return std::strtol(std::string(digits).c_str(), nullptr, 10);
}

// The N of "NAME=N"; nothing for another word or a count that is no count.
std::optional<long> CountAfter(std::string_view word, std::string_view name) {
    if (word.substr(0, name.size()) != name) {
        return std::nullopt;
    }
    return ParseCount(word.substr(name.size()));
}

}  // namespace

std::optional<Faults> ParseFaults(std::string_view text, std::string& error) {
    Faults faults;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view word = Trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (word.empty()) {
            continue;
        }
        if (word == "busy") {
            faults.busy = true;
        } else if (word == "silent") {
            faults.silent = true;
        } else if (word == "noise") {
            faults.noise = true;
        } else if (word == "malformed") {
            faults.malformed = true;
        } else if (const std::optional<long> unplugAfter = CountAfter(word, kUnplugAfter)) {
            faults.unplugAfter = unplugAfter;
        } else if (const std::optional<long> silentAfter = CountAfter(word, kSilentAfter)) {
            faults.silentAfter = silentAfter;
        } else if (const std::optional<long> drop = CountAfter(word, kDrop); drop && *drop > 0) {
            faults.dropReport = drop;
        } else {
            error = "unknown fault \"" + std::string(word) +
                    "\" (known: busy, silent, silent-after=N, unplug-after=N, drop=N, noise, "
                    "malformed)";
            return std::nullopt;
        }
    }
    return faults;
}

}  // namespace z9rt::sim

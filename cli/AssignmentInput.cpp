#include "AssignmentInput.h"

#include "ExitStatus.h"
#include "ItemSplitting.h"
#include "NameMatching.h"
#include "model/AssignmentRules.h"
#include "model/KeyboardProfile.h"
#include "model/WideText.h"
#include "profile/FileAccess.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

using model::CItemList;
using model::DelayItemText;
using model::IsFnKeyCode;
using model::kComboKeyLimit;
using model::kComboLibraryRows;
using model::kEmulationIntervalMax;
using model::kEmulationKeyLimit;
using model::kEmulationLibraryRows;
using model::KindCombo;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::kMacroCyclesMin;
using model::kMacroDelayMax;
using model::kMacroItemLimitFixedInterval;
using model::kMacroItemLimitRecordedDelays;
using model::kMacroLibraryRows;
using model::MacroItemLimit;
using model::ParseDecimal;
using model::PlayTimes;
using model::Utf8FromWide;
using model::WideFromUtf8;
using profile::ReadWholeFile;

namespace z9rt::cli {
namespace {

// A macro file larger than this is no macro (1600 events of the longest names fit in 64 KiB).
constexpr std::size_t kMacroFileLimit = 1 << 20;
constexpr std::string_view kDownSuffix = " Down";
constexpr std::string_view kUpSuffix = " UP";

[[noreturn]] void Refuse(const std::string& message, ExitStatus status = ExitStatus::Usage) {
    throw CommandFailure(status, message);
}

// Where macro items come from, for messages and the exit status of a refusal.
struct MacroSource {
    std::string name;  // "" for the command line
    ExitStatus refusal = ExitStatus::Usage;
};

// One macro item as stored: an event or a delay.
struct MacroItem {
    std::wstring text;
    bool isDelay = false;
};

struct MacroItemLookup {
    std::optional<MacroItem> item;
    std::string error;
};

bool EndsWithLetters(std::string_view text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           SameLetters(text.substr(text.size() - suffix.size()), suffix);
}

// "<N ms>" with N = 0..65535, blanks and letter case free.
MacroItemLookup ReadDelay(std::string_view text) {
    const std::string refusal = "'" + std::string(text) +
                                "' is not a delay: write '<N ms>' with N from 0 to " +
                                std::to_string(kMacroDelayMax);
    if (text.size() < 2 || text.back() != '>') {
        return {std::nullopt, refusal};
    }
    std::string_view inside = TrimBlanks(text.substr(1, text.size() - 2));
    if (!EndsWithLetters(inside, "ms")) {
        return {std::nullopt, refusal};
    }
    const std::string_view digits = TrimBlanks(inside.substr(0, inside.size() - 2));
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
        return {std::nullopt, refusal};
    }
    const int milliseconds = ParseDecimal(digits);
    if (milliseconds > kMacroDelayMax) {
        return {std::nullopt, refusal};
    }
    return {MacroItem{DelayItemText(milliseconds), true}, ""};
}

// "NAME Down", "NAME UP", a bare NAME (a key read back from the keyboard, a mouse button) or a
// delay "<N ms>". Events come first: the key "<>|" begins like a delay.
MacroItemLookup ReadMacroItem(std::string_view text, const KeyNameTable& names) {
    // Some names end in a word that looks like a suffix ("Mouse Wheel Up"): the whole name
    // comes first.
    const NameLookup bare = names.Find(text, NameUse::MacroEvent);
    if (bare.found) {
        return {MacroItem{bare.found->name, false}, ""};
    }
    for (std::string_view suffix : {kDownSuffix, kUpSuffix}) {
        if (EndsWithLetters(text, suffix)) {
            const NameLookup key =
                names.Find(text.substr(0, text.size() - suffix.size()), NameUse::MacroEvent);
            if (key.found) {
                return {MacroItem{key.found->name + WideFromUtf8(suffix), false}, ""};
            }
            if (text.front() != '<') {
                return {std::nullopt, key.error};
            }
        }
    }
    if (!text.empty() && text.front() == '<') {
        return ReadDelay(text);
    }
    return {std::nullopt, bare.error};
}

[[noreturn]] void RefuseTooMany(const std::string& whose, std::size_t count, bool atLeast,
                                ExitStatus status) {
    Refuse(whose + " holds " + (atLeast ? "more than " : "") + std::to_string(count) +
               " items; at most " + std::to_string(kMacroItemLimitRecordedDelays) +
               " with recorded delays and " + std::to_string(kMacroItemLimitFixedInterval) +
               " events with --interval fit a key",
           status);
}

std::string Whose(const MacroSource& source) {
    return source.name.empty() ? "the macro" : source.name;
}

// The items of one piece of macro text, split at commas, appended to `items`; refused as soon
// as the macro is sure to hold more than `limit` items, before the text is read.
void ReadMacroText(std::string_view text, const KeyNameTable& names, const MacroSource& source,
                   const std::string& where, std::size_t limit, std::vector<MacroItem>& items) {
    // An item holds at most two commas of its own (the key ","), so the text holds at least
    // a third of its comma-separated pieces as items.
    const std::size_t pieces =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1;
    const std::size_t fewest = (pieces + 2) / 3;
    if (items.size() + fewest > limit) {
        RefuseTooMany(Whose(source), limit, true, source.refusal);
    }
    const SplitItems split = SplitIntoItems(text, ',', [&names](std::string_view item) {
        return item.empty() ? std::string("an empty macro item") : ReadMacroItem(item, names).error;
    });
    if (!split.error.empty()) {
        Refuse(where + split.error, source.refusal);
    }
    for (const std::string& item : split.items) {
        items.push_back(*ReadMacroItem(item, names).item);
    }
}

// Standard input up to one byte beyond `limit`: what a macro can be, and no more.
std::string ReadStandardInput(std::size_t limit) {
    std::string content(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < content.size()) {
        const std::size_t count =
            std::fread(content.data() + filled, 1, content.size() - filled, stdin);
        if (count == 0) {
            break;
        }
        filled += count;
    }
    if (std::ferror(stdin) != 0) {
        Refuse("standard input: cannot read the macro", ExitStatus::FileRefused);
    }
    content.resize(filled);
    return content;
}

// A macro file (or "-", standard input) of at most kMacroFileLimit bytes: items separated by
// commas or line ends; blank lines and lines starting with '#' are skipped. Refused as soon as
// it holds more than `limit` items.
std::vector<MacroItem> ReadMacroFile(const std::string& path, const KeyNameTable& names,
                                     std::size_t limit) {
    const MacroSource source{path == "-" ? "standard input" : path, ExitStatus::FileRefused};
    std::string content;
    if (path == "-") {
        content = ReadStandardInput(kMacroFileLimit);
        if (content.size() > kMacroFileLimit) {
            Refuse("standard input: too large for a macro (more than " +
                       std::to_string(kMacroFileLimit >> 10) + " KiB)",
                   ExitStatus::FileRefused);
        }
    } else {
        std::string whyNot;
        if (!ReadWholeFile(path, kMacroFileLimit, content, whyNot)) {
            Refuse(path + ": cannot read the macro (" + whyNot + ")", ExitStatus::FileRefused);
        }
    }
    std::vector<MacroItem> items;
    std::size_t lineNumber = 0;
    for (std::size_t start = 0; start <= content.size(); ++lineNumber) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        const std::string_view line =
            TrimBlanks(std::string_view(content).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = source.name + ":" + std::to_string(lineNumber + 1) + ": ";
        ReadMacroText(line, names, source, where, limit, items);
        if (items.size() > limit) {
            RefuseTooMany(source.name, limit, true, source.refusal);  // and more may follow
        }
    }
    return items;
}

std::string ItemWord(std::size_t index, const std::vector<MacroItem>& items) {
    return "item " + std::to_string(index + 1) + " '" + Utf8FromWide(items[index].text) + "'";
}

// Events and delays in the order the keyboard plays them: with recorded delays they alternate,
// an event first; with a fixed interval there are events only.
void CheckMacroShape(const std::vector<MacroItem>& items, bool fixedInterval,
                     const MacroSource& source) {
    const std::string whose = Whose(source);
    if (items.empty()) {
        Refuse(whose + " holds no events", source.refusal);
    }
    const std::size_t limit = static_cast<std::size_t>(MacroItemLimit(fixedInterval));
    if (items.size() > limit) {
        RefuseTooMany(whose, items.size(), false, source.refusal);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool delayWanted = !fixedInterval && i % 2 == 1;
        if (items[i].isDelay == delayWanted) {
            continue;
        }
        if (fixedInterval) {
            Refuse(ItemWord(i, items) + " is a delay; with --interval a macro holds events only",
                   source.refusal);
        }
        if (i == 0) {
            Refuse(ItemWord(i, items) + " is a delay; a macro starts with an event",
                   source.refusal);
        }
        Refuse(ItemWord(i - 1, items) + " and " + ItemWord(i, items) + " are both " +
                   (delayWanted ? "events; put a delay such as '<30 ms>' between them, or give "
                                  "--interval MS for one fixed interval"
                                : "delays; a delay stands between two events"),
               source.refusal);
    }
}

CItemList ReadMacro(const std::vector<std::string>& values, const EditOptions& options,
                    const KeyNameTable& names) {
    std::vector<MacroItem> items;
    MacroSource source;
    const bool fixedInterval = options.interval.has_value();
    const auto limit = static_cast<std::size_t>(MacroItemLimit(fixedInterval));
    if (values.size() == 1 && values.front().size() > 1 && values.front().front() == '@') {
        const std::string path = values.front().substr(1);
        items = ReadMacroFile(path, names, limit);
        source = {path == "-" ? "standard input" : path, ExitStatus::FileRefused};
    } else {
        for (const std::string& value : values) {
            ReadMacroText(value, names, source, "", limit, items);
        }
    }
    CheckMacroShape(items, fixedInterval, source);

    CItemList list;
    list.SizeOfView = kMacroLibraryRows;
    list.IsAutoInterval = fixedInterval;
    list.Delay = options.interval.value_or(list.Delay);
    list.Cycles = options.cycles.value_or(kMacroCyclesMin);
    list.PlayMode = options.playMode.value_or(PlayTimes);
    for (const MacroItem& item : items) {
        list.Append(item.text);
    }
    return list;
}

// The keys of a combination (split at '+') or an emulation (split at ',').
CItemList ReadKeyList(const std::string& text, char separator, int limit, int rows,
                      const char* what, const KeyNameTable& names) {
    const SplitItems split =
        SplitIntoItems(text, separator, [&names, separator](std::string_view item) {
            if (item.empty()) {
                return "an empty key name: a '" + std::string(1, separator) +
                       "' with no key on one side";
            }
            return names.Find(item, NameUse::ListKey).error;
        });
    if (!split.error.empty()) {
        Refuse(split.error);
    }
    if (split.items.size() > static_cast<std::size_t>(limit)) {
        Refuse(std::string(what) + " holds at most " + std::to_string(limit) + " keys, not " +
               std::to_string(split.items.size()));
    }
    CItemList list;
    list.SizeOfView = rows;
    for (const std::string& item : split.items) {
        list.Append(names.Find(item, NameUse::ListKey).found->name);
    }
    return list;
}

std::string Joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += (i == 0 ? "" : separator) + words[i];
    }
    return text;
}

// The options that shape a macro or an emulation belong to them.
void CheckOptionsFit(const std::string& word, const EditOptions& options) {
    if ((options.cycles || options.playMode) && word != "macro") {
        Refuse("--cycles and --play-mode shape a macro, not " + word);
    }
    if (options.cycles && options.playMode.value_or(PlayTimes) != PlayTimes) {
        Refuse("--cycles counts the plays of --play-mode times only");
    }
    if (options.interval && word != "macro" && word != "emulation") {
        Refuse("--interval belongs to a macro or an emulation, not " + word);
    }
    if (options.interval && word == "emulation" && *options.interval > kEmulationIntervalMax) {
        Refuse("an emulation's --interval is at most " + std::to_string(kEmulationIntervalMax) +
               " ms, not " + std::to_string(*options.interval));
    }
}

}  // namespace

const std::vector<std::string>& AssignmentWords() {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> all;
        for (const AssignmentKindWord& kind : AssignmentKindWords()) {
            all.emplace_back(kind.word);
        }
        all.emplace_back("clear");
        return all;
    }();
    return words;
}

Assignment ReadAssignment(const std::vector<std::string>& words, const EditOptions& options,
                          const KeyNameTable& names) {
    const auto known = std::find_if(
        AssignmentWords().begin(), AssignmentWords().end(),
        [&words](const std::string& word) { return SameLetters(word, words.front()); });
    if (known == AssignmentWords().end()) {
        Refuse("unknown assignment '" + words.front() + "'" +
               DidYouMeanOrUse(words.front(), AssignmentWords()));
    }
    const std::string& word = *known;
    const std::vector<std::string> values(words.begin() + 1, words.end());
    CheckOptionsFit(word, options);
    if (word == "clear") {
        if (!values.empty()) {
            Refuse("'clear' takes no value");
        }
        return Assignment{};
    }
    if (values.empty()) {
        Refuse("'" + word + "' needs a value (see z9rtctl --help)");
    }

    Assignment assignment;
    if (word == "combo") {
        assignment.kind = KindCombo;
        assignment.list = ReadKeyList(Joined(values, " "), '+', kComboKeyLimit, kComboLibraryRows,
                                      "a combination", names);
    } else if (word == "emulation") {
        assignment.kind = KindEmulation;
        assignment.list = ReadKeyList(Joined(values, " "), ',', kEmulationKeyLimit,
                                      kEmulationLibraryRows, "an emulation", names);
        assignment.list.Delay = options.interval.value_or(assignment.list.Delay);
    } else if (word == "macro") {
        assignment.kind = KindMacro;
        assignment.list = ReadMacro(values, options, names);
    } else {
        // A name of several words may come unquoted: "media Next track".
        const AssignmentKindWord& codeKind =
            *std::find_if(AssignmentKindWords().begin(), AssignmentKindWords().end(),
                          [&word](const AssignmentKindWord& kind) { return word == kind.word; });
        const NameLookup name = names.Find(Joined(values, " "), codeKind.use);
        if (!name.found) {
            Refuse(name.error);
        }
        assignment.kind = codeKind.kind;
        assignment.hwCode = name.found->hwCode;
        assignment.allLayers = codeKind.kind == KindFunction && IsFnKeyCode(assignment.hwCode);
    }
    return assignment;
}

}  // namespace z9rt::cli

#include "model/AssignmentJudge.h"

#include "model/AssignmentRules.h"
#include "model/WideText.h"

namespace model {

namespace {

constexpr std::wstring_view kSuffixUp = L" UP";
constexpr std::wstring_view kSuffixDown = L" Down";
constexpr std::wstring_view kDelayEnd = L"ms>";
// Item texts are quoted in a problem up to this many characters.
constexpr std::size_t kQuotedItemLength = 40;

std::string Quoted(std::wstring_view item) {
    const bool cut = item.size() > kQuotedItemLength;
    return "'" + Utf8FromWide(item.substr(0, kQuotedItemLength)) + (cut ? "...'" : "'");
}

std::string ItemWords(std::size_t index, std::wstring_view item) {
    return "item " + std::to_string(index + 1) + " " + Quoted(item);
}

std::string Count(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what;
}

const char* ListKindWords(int kind) {
    return kind == KindCombo ? "a combination" : "an emulation";
}

const char* CodeKindWords(int kind) {
    switch (kind) {
        case KindSingle:
            return "keyboard key";
        case KindMultimedia:
            return "multimedia action";
        case KindMouse:
            return "mouse action";
        case KindFunction:
            return "keyboard function";
        default:
            return "power action";
    }
}

}  // namespace

AssignmentJudge::AssignmentJudge(const CKeyCodeTables& codes) {
    // The tables are walked in ascending key codes, so the first code seen with a name is the
    // one HWCodeOfName resolves it through.
    names_.reserve(codes.keyNames.size());
    for (const auto& [code, name] : codes.keyNames) {
        const int hwCode =
            code >= 0 && code < kCodeTableSize ? codes.vkToHw[static_cast<std::size_t>(code)] : 0;
        // HWCodeOfName reads any text with "ms>" in it as a delay, so such a name (the tables
        // hold none) would name no code.
        if (name.find(kDelayEnd) == std::wstring::npos) {
            names_.emplace(std::wstring_view(name), Named{code, hwCode});
        }
    }
}

const AssignmentJudge::Named* AssignmentJudge::Find(std::wstring_view name) const {
    const auto found = names_.find(name);
    return found == names_.end() ? nullptr : &found->second;
}

int AssignmentJudge::CodeOfName(std::wstring_view item) const {
    // HWCodeOfName takes the lowest key code whose name matches the text whole or with an
    // event suffix.
    const Named* best = Find(item);
    for (std::wstring_view suffix : {kSuffixUp, kSuffixDown}) {
        if (item.size() > suffix.size() && item.substr(item.size() - suffix.size()) == suffix) {
            const Named* base = Find(item.substr(0, item.size() - suffix.size()));
            if (base != nullptr && (best == nullptr || base->keyCode < best->keyCode)) {
                best = base;
            }
        }
    }
    return best == nullptr ? 0 : best->hwCode;
}

std::optional<int> AssignmentJudge::DelayOf(std::wstring_view item) {
    constexpr std::wstring_view kEnd = L" ms>";
    constexpr std::size_t kMostDigits = 5;
    if (item.size() < 2 + kEnd.size() || item.front() != L'<' ||
        item.substr(item.size() - kEnd.size()) != kEnd) {
        return std::nullopt;
    }
    const std::wstring_view digits = item.substr(1, item.size() - 1 - kEnd.size());
    if (digits.size() > kMostDigits) {
        return std::nullopt;
    }
    int milliseconds = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        milliseconds = milliseconds * 10 + (c - L'0');
    }
    if (milliseconds > kMacroDelayMax) {
        return std::nullopt;
    }
    return milliseconds;
}

std::string AssignmentJudge::Problem(int kind, int hwCode, const CItemList& list) const {
    switch (kind) {
        case KindNotSet:
            return {};
        case KindCombo:
        case KindEmulation:
            return ListProblem(kind, list);
        case KindMacro:
            return MacroProblem(list);
        default:
            break;
    }
    if (!IsKeyKind(kind)) {
        return "kind " + std::to_string(kind) + " is no kind of assignment";
    }
    // A single key read back from a keyboard that holds code 0 keeps it.
    if (CodeFitsKind(kind, hwCode) || (kind == KindSingle && hwCode == 0)) {
        return {};
    }
    return "HW code " + std::to_string(hwCode) + " is no " + CodeKindWords(kind);
}

std::string AssignmentJudge::ListProblem(int kind, const CItemList& list) const {
    const std::vector<std::wstring>& items = list.Items();
    const std::size_t limit = kind == KindCombo ? kComboKeyLimit : kEmulationKeyLimit;
    if (items.empty()) {
        return std::string(ListKindWords(kind)) + " without keys";
    }
    if (items.size() > limit) {
        return std::string(ListKindWords(kind)) + " of " + Count(items.size(), "keys") +
               "; at most " + std::to_string(limit);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (CodeOfName(items[i]) == 0) {
            return ItemWords(i, items[i]) + " names no key the keyboard has a code for";
        }
    }
    if (kind == KindEmulation && (list.Delay < 0 || list.Delay > kEmulationIntervalMax)) {
        return "an emulation interval of " + std::to_string(list.Delay) + " ms; 0 to " +
               std::to_string(kEmulationIntervalMax);
    }
    return {};
}

std::string AssignmentJudge::MacroProblem(const CItemList& list) const {
    if (list.PlayMode < 0 || list.PlayMode >= kMacroPlayModeCount) {
        return "play mode " + std::to_string(list.PlayMode) +
               "; 0 (times), 1 (while held) or 2 (press to start and stop)";
    }
    if (list.PlayMode == PlayTimes &&
        (list.Cycles < kMacroCyclesMin || list.Cycles > kMacroCyclesMax)) {
        return std::to_string(list.Cycles) + " plays per press; " +
               std::to_string(kMacroCyclesMin) + " to " + std::to_string(kMacroCyclesMax);
    }
    const bool fixedInterval = list.IsAutoInterval;
    if (fixedInterval && (list.Delay < 0 || list.Delay > kMacroIntervalMax)) {
        return "a fixed interval of " + std::to_string(list.Delay) + " ms; 0 to " +
               std::to_string(kMacroIntervalMax);
    }
    const std::vector<std::wstring>& items = list.Items();
    if (items.empty()) {
        return "a macro without events";
    }
    const std::size_t limit = static_cast<std::size_t>(MacroItemLimit(fixedInterval));
    if (items.size() > limit) {
        return "a macro of " + Count(items.size(), "items") + "; at most " +
               std::to_string(kMacroItemLimitRecordedDelays) + " with recorded delays, " +
               std::to_string(kMacroItemLimitFixedInterval) + " events at a fixed interval";
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool delayWanted = !fixedInterval && i % 2 == 1;
        if (delayWanted) {
            if (!DelayOf(items[i])) {
                return ItemWords(i, items[i]) + " is no delay '<N ms>' of 0 to " +
                       std::to_string(kMacroDelayMax) + " ms; events and delays alternate";
            }
        } else if (CodeOfName(items[i]) == 0) {
            if (DelayOf(items[i])) {
                return ItemWords(i, items[i]) + " is a delay where an event belongs" +
                       (fixedInterval ? " (at a fixed interval a macro holds events only)" : "");
            }
            return ItemWords(i, items[i]) + " names no key the keyboard has a code for";
        }
    }
    return {};
}

}  // namespace model

#include "model/AssignmentText.h"

#include "model/KeyboardConfig.h"

namespace model {

namespace {

constexpr const wchar_t* kMacroCut = L" ... ...";
constexpr const wchar_t* kListSeparator = L" | ";
constexpr const wchar_t* kMacroSeparator = L",";
// A delay item is made by "<%d ms>": the number sits between the first character and the
// last four.
constexpr std::size_t kDelayPrefixLength = 1;
constexpr std::size_t kDelaySuffixLength = 4;

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A macro item as the text shows it: a delay as its bare milliseconds, an event without
// " Down" or " UP".
std::wstring ShortMacroItem(const std::wstring& item) {
    if (item.size() > kDelayPrefixLength + kDelaySuffixLength && item.front() == L'<' &&
        item.back() == L'>') {
        return item.substr(kDelayPrefixLength,
                           item.size() - kDelayPrefixLength - kDelaySuffixLength);
    }
    for (const std::wstring suffix : {L" Down", L" UP"}) {
        if (EndsWith(item, suffix)) {
            return item.substr(0, item.size() - suffix.size());
        }
    }
    return item;
}

std::wstring Joined(const CItemList& list, const wchar_t* separator) {
    std::wstring text;
    bool first = true;
    for (const std::wstring& item : list.Items()) {
        if (!first) {
            text += separator;
        }
        first = false;
        text += item;
    }
    return text;
}

std::wstring MacroText(const CItemList& list, std::size_t limit) {
    std::wstring text;
    bool first = true;
    for (const std::wstring& item : list.Items()) {
        if (!first) {
            text += kMacroSeparator;
        }
        first = false;
        text += ShortMacroItem(item);
        if (text.size() > limit) {
            text += kMacroCut;
            break;
        }
    }
    return text;
}

}  // namespace

std::wstring AssignmentText(const CKeyboardConfig& config, int key, int layer,
                            std::size_t macroLimit) {
    if (!IsKeyNumber(key) || !IsLayer(layer)) {
        return std::wstring();
    }
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    switch (config.keyMode[k][l]) {
        case KindCombo:
        case KindEmulation:
            return Joined(config.keyList[k][l], kListSeparator);
        case KindMacro:
            return MacroText(config.keyList[k][l], macroLimit);
        case KindSingle:
        case KindMultimedia:
        case KindMouse:
        case KindFunction:
        case KindPower:
            return config.NameOfHWCode(config.keyHWCode[k][l]);
        default:
            return std::wstring();
    }
}

}  // namespace model

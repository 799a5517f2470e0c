#include "StatisticsText.h"

#include "MainWindowLayout.h"
#include "model/KeyboardConfig.h"

#include <QString>

#include <array>

namespace statistics {
namespace {

// Longer macro texts are cut after the item that passes this length.
constexpr std::size_t kMacroTextLimit = 120;
constexpr const wchar_t* kMacroCut = L" ... ...";
constexpr const wchar_t* kListSeparator = L" | ";
constexpr const wchar_t* kMacroSeparator = L",";
constexpr const wchar_t* kNoKey = L"     ";
// A delay item is made by "<%d ms>": the number sits between the first character and the
// last four.
constexpr std::size_t kDelayPrefixLength = 1;
constexpr std::size_t kDelaySuffixLength = 4;

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A macro item as the display line shows it: a delay as its bare milliseconds, an event
// without " Down" or " UP".
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

std::wstring MacroText(const CItemList& list) {
    std::wstring text;
    bool first = true;
    for (const std::wstring& item : list.Items()) {
        if (!first) {
            text += kMacroSeparator;
        }
        first = false;
        text += ShortMacroItem(item);
        if (text.size() > kMacroTextLimit) {
            text += kMacroCut;
            break;
        }
    }
    return text;
}

int LanguageIndex(const std::string& language) {
    if (language == kLanguageChinese) {
        return kCaptionChinese;
    }
    if (language == kLanguageEnglish) {
        return kCaptionEnglish;
    }
    return -1;
}

std::wstring KeyOrBlanks(int key) {
    if (!IsKeyNumber(key)) {
        return kNoKey;
    }
    return std::wstring(KeyCaption(key)) + L" ";
}

std::wstring Format(const QString& format, const std::wstring& first, const std::wstring& second) {
    return format.arg(QString::fromStdWString(first), QString::fromStdWString(second))
        .toStdWString();
}

}  // namespace

std::wstring AssignmentText(const CKeyboardConfig& config, int key, int layer) {
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
            return MacroText(config.keyList[k][l]);
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

std::wstring Header(const CKeyboardConfig& config) {
    const int language = LanguageIndex(config.language);
    if (language < 0) {
        return std::wstring();
    }
    const QString model = QString::fromUtf8(mainwin::ModelName(config.deviceType));
    const QString format =
        language == kCaptionEnglish
            ? model + QStringLiteral(
                          " Programming Software [Ver 1.2.2]\r\n\r\n"
                          "Highest: %1 Lowest: %2\r\nCounter: ")
            : model + QStringLiteral(
                          " 编程软件 [版本 1.2.2]\r\n\r\n高频键：%1 低频键：%2\r\n敲击次数：");
    return Format(format, KeyOrBlanks(config.highestKey), KeyOrBlanks(config.lowestKey));
}

std::wstring KeyLines(const CKeyboardConfig& config, int key) {
    const int language = LanguageIndex(config.language);
    if (language < 0 || !IsKeyNumber(key)) {
        return std::wstring();
    }
    const auto k = static_cast<std::size_t>(key);
    std::wstring text;
    if (config.pressCounter[k] >= 0) {
        text += std::to_wstring(config.pressCounter[k]);
    }

    struct LayerLine {
        int layer;
        const char* english;
        const char* chinese;
    };
    static const std::array<LayerLine, 3> kLines{{
        {LayerNoneFn, "\r\n\r\nNoneFN Key：%1 %2", "\r\n\r\n无FN键：%1 %2"},
        {LayerLeftFn, "\r\nLeftFN Key：%1 %2", "\r\n左FN键：%1 %2"},
        {LayerRightFn, "\r\nRightFN Key：%1 %2", "\r\n右FN键：%1 %2"},
    }};
    const auto& kindNames = config.kindName[static_cast<std::size_t>(language)];
    for (const LayerLine& line : kLines) {
        const int kind = config.keyMode[k][static_cast<std::size_t>(line.layer)];
        const std::wstring kindText =
            IsKeyKind(kind) ? kindNames[static_cast<std::size_t>(kind)] : std::wstring();
        const QString format =
            QString::fromUtf8(language == kCaptionEnglish ? line.english : line.chinese);
        text += Format(format, kindText, AssignmentText(config, key, line.layer));
    }
    return text;
}

}  // namespace statistics

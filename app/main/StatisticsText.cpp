#include "StatisticsText.h"

#include "MainWindowLayout.h"
#include "model/AssignmentText.h"
#include "model/KeyboardConfig.h"

#include <QString>

#include <array>

using model::AssignmentText;
using model::CKeyboardConfig;
using model::IsKeyKind;
using model::IsKeyNumber;
using model::kCaptionChinese;
using model::kCaptionEnglish;
using model::KeyCaption;
using model::kLanguageChinese;
using model::kLanguageEnglish;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;

namespace statistics {
namespace {

constexpr const wchar_t* kNoKey = L"     ";

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

std::wstring Header(const CKeyboardConfig& config, const std::wstring& report) {
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
    std::wstring header =
        Format(format, KeyOrBlanks(config.highestKey), KeyOrBlanks(config.lowestKey));
    const std::size_t titleEnd = header.find(L"\r\n");
    if (!report.empty() && titleEnd != std::wstring::npos) {
        header.insert(titleEnd + 2, report);
    }
    return header;
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

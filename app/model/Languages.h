// The languages of the windows, as the configuration and the preferences file name them.
#pragma once

namespace model {

inline constexpr const char* kLanguageChinese = "zh-CN";
inline constexpr const char* kLanguageEnglish = "en-US";

}  // namespace model

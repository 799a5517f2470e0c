// A text the windows show in the user's language: Chinese for "zh-CN", English otherwise.
#pragma once

#include <QString>

#include <string>

namespace skin {

struct BilingualText {
    const char* chinese;  // UTF-8
    const char* english;

    QString in(const std::string& language) const {
        return QString::fromUtf8(language == "zh-CN" ? chinese : english);
    }
};

}  // namespace skin

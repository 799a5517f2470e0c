#include "SkinItem.h"

#include <QString>

namespace skin {
namespace {

constexpr const char* kChinese = "zh-CN";
constexpr const char* kEnglish = "en-US";

std::wstring Wide(const char* utf8) {
    return QString::fromUtf8(utf8).toStdWString();
}

QColor ToQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

std::wstring SkinItem::caption(const std::string& language) const {
    const auto found = captions.find(language);
    return found == captions.end() ? std::wstring() : found->second;
}

SkinItem ItemFromSpec(const ItemSpec& spec) {
    SkinItem item;
    item.id = spec.id;
    item.rect = spec.rect;
    item.captions[kChinese] = Wide(spec.captionZh);
    item.captions[kEnglish] = Wide(spec.captionEn);
    item.isLabel = spec.isLabel;
    item.keyValue = spec.keyValue;
    item.textColor = ToQColor(spec.textColor);
    item.selectedTextColor = ToQColor(spec.selectedTextColor);
    item.textFormat = spec.textFormat;
    item.fontIndex = spec.fontIndex;
    return item;
}

}  // namespace skin

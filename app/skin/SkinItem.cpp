#include "SkinItem.h"

#include <QString>

namespace skin {
namespace {

constexpr const char* kChinese = "zh-CN";
constexpr const char* kEnglish = "en-US";

std::wstring Wide(const char* utf8) {
    return QString::fromUtf8(utf8).toStdWString();
}

}  // namespace

QColor ToQColor(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

std::wstring SkinItem::caption(const std::string& language) const {
    const auto found = captions.find(language);
    return found == captions.end() ? std::wstring() : found->second;
}

SkinItem ItemFromSpec(const ItemSpec& entry) {
    SkinItem item;
    item.id = entry.id;
    item.rect = entry.rect;
    item.captions[kChinese] = Wide(entry.captionZh);
    item.captions[kEnglish] = Wide(entry.captionEn);
    item.isLabel = entry.isLabel;
    item.keyValue = entry.keyValue;
    item.textColor = ToQColor(entry.textColor);
    item.selectedTextColor = ToQColor(entry.selectedTextColor);
    item.textFormat = entry.textFormat;
    item.fontIndex = entry.fontIndex;
    item.showCaption = entry.showCaption;
    item.textVisible = entry.textVisible;
    item.tag = entry.tag;
    if (*entry.tipZh != '\0' || *entry.tipEn != '\0') {
        item.tips[kChinese] = Wide(entry.tipZh);
        item.tips[kEnglish] = Wide(entry.tipEn);
    }
    return item;
}

std::vector<SkinItem> ItemsFromSpecs(const std::vector<ItemSpec>& entries) {
    std::vector<SkinItem> items;
    items.reserve(entries.size());
    for (const ItemSpec& entry : entries) {
        items.push_back(ItemFromSpec(entry));
    }
    return items;
}

}  // namespace skin

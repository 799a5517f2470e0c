#include "profile/ItemListXml.h"

#include "profile/ProfileNames.h"

#include <iterator>

using namespace profile_names;

void WriteItemList(MarkupWriter& out, const CItemList& list) {
    const XmlNewAttribute attributes[] = {
        {kSizeOfView, list.SizeOfView},
        {kViewStartAt, list.ViewStartAt},
        {kCursorPos, list.CursorPos},
        {kCycles, list.Cycles},
        {kIsAutoInterval, list.IsAutoInterval ? 1 : 0},
        {kDelay, list.Delay},
        {kPlayMode, list.PlayMode},
    };
    out.StartElement(kList, attributes, std::size(attributes));
    const std::vector<std::wstring>& items = list.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const XmlNewAttribute item[] = {
            {kId, static_cast<int>(i)},
            {kItemText, std::wstring_view(items[i])},
        };
        out.StartElement(kItem, item, std::size(item));
        WriteItemList(out, list.SubLists()[i]);
        out.EndElement();
    }
    out.EndElement();
}

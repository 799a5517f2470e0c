#include "profile/ItemListXml.h"

#include "profile/ProfileNames.h"

#include <iterator>

using model::CItemList;

namespace profile {

using namespace names;

void WriteItemList(CXmlDoc& doc, const CItemList& list) {
    const XmlNewAttribute attributes[] = {
        {kSizeOfView, list.SizeOfView},
        {kViewStartAt, list.ViewStartAt},
        {kCursorPos, list.CursorPos},
        {kCycles, list.Cycles},
        {kIsAutoInterval, list.IsAutoInterval ? 1 : 0},
        {kDelay, list.Delay},
        {kPlayMode, list.PlayMode},
    };
    doc.AppendElement(kList, attributes, std::size(attributes));
    if (list.Empty()) {
        return;
    }
    doc.EnterElement();
    const std::vector<std::wstring>& items = list.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const XmlNewAttribute item[] = {
            {kId, static_cast<int>(i)},
            {kItemText, std::wstring_view(items[i])},
        };
        doc.AppendElement(kItem, item, std::size(item));
        doc.EnterElement();
        WriteItemList(doc, list.SubLists()[i]);
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

}  // namespace profile

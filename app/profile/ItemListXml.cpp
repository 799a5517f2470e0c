#include "profile/ItemListXml.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

constexpr std::string_view kListElement = "List";
constexpr std::string_view kItemElement = "x";
constexpr std::string_view kItemIndex = "ID";
constexpr std::string_view kItemText = "t1";
constexpr std::string_view kSizeOfView = "SizeOfView";
constexpr std::string_view kViewStartAt = "ViewStartAt";
constexpr std::string_view kCursorPos = "CursorPos";
constexpr std::string_view kCycles = "Cycles";
constexpr std::string_view kIsAutoInterval = "IsAutoInterval";
constexpr std::string_view kDelay = "Delay";
constexpr std::string_view kPlayMode = "PlayMode";

// The attributes of a "List" element, in the order they are written.
constexpr std::string_view kListAttributes[] = {
    kSizeOfView, kViewStartAt, kCursorPos, kCycles, kIsAutoInterval, kDelay, kPlayMode,
};

void ReadList(CXmlDoc& doc, CItemList& list, ListReadLimits& limits, int depth) {
    list.Clear();
    if (!doc.FindNextElement(kListElement)) {
        return;
    }
    int values[std::size(kListAttributes)];
    doc.GetAttributeInts(kListAttributes, values, std::size(kListAttributes));
    list.SizeOfView = values[0];
    list.ViewStartAt = values[1];
    list.CursorPos = values[2];
    list.Cycles = values[3];
    list.IsAutoInterval = values[4] != 0;
    list.Delay = values[5];
    list.PlayMode = values[6];
    const std::size_t children = doc.ChildCount();
    if (children == 0 || depth >= limits.maxDepth) {
        return;  // most lists are the empty sub-lists of items
    }
    list.Reserve(std::min(children, limits.maxItems));
    doc.EnterElement();
    while (doc.FindNextElement(kItemElement)) {
        const int id = doc.GetAttributeInt(kItemIndex);
        if (id < 0 || static_cast<std::size_t>(id) >= limits.maxItems) {
            continue;
        }
        const auto index = static_cast<std::size_t>(id);
        const std::size_t count = static_cast<std::size_t>(list.Count());
        if (index > count) {
            const std::size_t gap = index - count;
            if (gap > limits.gapBudget) {
                continue;
            }
            limits.gapBudget -= gap;
        }
        // Placed first and filled in place, so no sub-list is moved or copied.
        CItemList& subList = list.PlaceAt(index, doc.GetAttribute(kItemText));
        if (doc.EnterElement()) {
            ReadList(doc, subList, limits, depth + 1);
            doc.LeaveElement();
        }
    }
    doc.LeaveElement();
}

}  // namespace

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
    static_assert(std::size(attributes) == std::size(kListAttributes), "read as written");
    doc.AppendElement(kListElement, attributes, std::size(attributes));
    if (list.Empty()) {
        return;
    }
    doc.EnterElement();
    const std::vector<std::wstring>& items = list.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const XmlNewAttribute item[] = {
            {kItemIndex, static_cast<int>(i)},
            {kItemText, std::wstring_view(items[i])},
        };
        doc.AppendElement(kItemElement, item, std::size(item));
        doc.EnterElement();
        WriteItemList(doc, list.SubLists()[i]);
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

void ReadItemList(CXmlDoc& doc, CItemList& list, ListReadLimits& limits) {
    ReadList(doc, list, limits, 0);
}

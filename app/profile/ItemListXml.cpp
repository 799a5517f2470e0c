#include "profile/ItemListXml.h"

#include <string_view>

namespace {

constexpr std::wstring_view kListElement = L"List";
constexpr std::wstring_view kItemElement = L"x";
constexpr std::wstring_view kItemIndex = L"ID";
constexpr std::wstring_view kItemText = L"t1";
constexpr std::wstring_view kSizeOfView = L"SizeOfView";
constexpr std::wstring_view kViewStartAt = L"ViewStartAt";
constexpr std::wstring_view kCursorPos = L"CursorPos";
constexpr std::wstring_view kCycles = L"Cycles";
constexpr std::wstring_view kIsAutoInterval = L"IsAutoInterval";
constexpr std::wstring_view kDelay = L"Delay";
constexpr std::wstring_view kPlayMode = L"PlayMode";

void ReadList(CXmlDoc& doc, CItemList& list, ListReadLimits& limits, int depth) {
    list.Clear();
    if (!doc.FindNextElement(kListElement)) {
        return;
    }
    list.SizeOfView = doc.GetAttributeInt(kSizeOfView);
    list.ViewStartAt = doc.GetAttributeInt(kViewStartAt);
    list.CursorPos = doc.GetAttributeInt(kCursorPos);
    list.Cycles = doc.GetAttributeInt(kCycles);
    list.IsAutoInterval = doc.GetAttributeInt(kIsAutoInterval) != 0;
    list.Delay = doc.GetAttributeInt(kDelay);
    list.PlayMode = doc.GetAttributeInt(kPlayMode);
    if (depth >= limits.maxDepth || !doc.EnterElement()) {
        return;
    }
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
        std::wstring text = doc.GetAttribute(kItemText);
        CItemList subList;
        if (doc.EnterElement()) {
            ReadList(doc, subList, limits, depth + 1);
            doc.LeaveElement();
        }
        list.PlaceAt(index, std::move(text), std::move(subList));
    }
    doc.LeaveElement();
}

}  // namespace

void WriteItemList(CXmlDoc& doc, const CItemList& list) {
    doc.AppendElement(kListElement);
    doc.SetAttribute(kSizeOfView, list.SizeOfView);
    doc.SetAttribute(kViewStartAt, list.ViewStartAt);
    doc.SetAttribute(kCursorPos, list.CursorPos);
    doc.SetAttribute(kCycles, list.Cycles);
    doc.SetAttribute(kIsAutoInterval, list.IsAutoInterval ? 1 : 0);
    doc.SetAttribute(kDelay, list.Delay);
    doc.SetAttribute(kPlayMode, list.PlayMode);
    if (list.Empty()) {
        return;
    }
    doc.EnterElement();
    const std::vector<std::wstring>& items = list.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        doc.AppendElement(kItemElement);
        doc.SetAttribute(kItemIndex, static_cast<int>(i));
        doc.SetAttribute(kItemText, items[i]);
        doc.EnterElement();
        WriteItemList(doc, list.SubLists()[i]);
        doc.LeaveElement();
    }
    doc.LeaveElement();
}

void ReadItemList(CXmlDoc& doc, CItemList& list, ListReadLimits& limits) {
    ReadList(doc, list, limits, 0);
}

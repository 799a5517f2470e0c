#include "keysettings/logic/MacroDelayModes.h"

#include "keysettings/logic/MacroLimits.h"
#include "model/WideText.h"

using model::CItemList;
using model::DelayItemText;

namespace keysettings {
namespace {

// An empty list with the content's view size and playback values, to append the converted
// items to one by one (so its view ends on the last of them).
CItemList EmptyLike(const CItemList& content) {
    CItemList list;
    list.SizeOfView = content.SizeOfView;
    list.Cycles = content.Cycles;
    list.IsAutoInterval = content.IsAutoInterval;
    list.Delay = content.Delay;
    list.PlayMode = content.PlayMode;
    return list;
}

}  // namespace

bool SwitchToFixedInterval(CItemList& content) {
    if (content.IsAutoInterval) {
        return false;
    }
    // The events are the items that are not delays; with the usual alternation they are the
    // items at even indexes, and a list that does not alternate keeps its events all the same.
    CItemList converted = EmptyLike(content);
    for (const std::wstring& item : content.Items()) {
        if (!IsDelayItem(item)) {
            converted.Append(item);
        }
    }
    converted.IsAutoInterval = true;
    content = std::move(converted);
    return true;
}

bool SwitchToRecordedDelays(CItemList& content) {
    if (!content.IsAutoInterval) {
        return false;
    }
    CItemList converted = EmptyLike(content);
    converted.IsAutoInterval = false;
    const std::wstring delay = DelayItemText(content.Delay);
    const std::vector<std::wstring>& items = content.Items();
    // Every event after the first takes a delay in front of it, two items each, as long as
    // both fit; the list ends on an event.
    for (std::size_t index = 0; index < items.size(); ++index) {
        const int room = kMostItemsWithDelays - converted.Count();
        if (room < (index == 0 ? 1 : 2)) {
            break;
        }
        if (index > 0) {
            converted.Append(delay);
        }
        converted.Append(items[index]);
    }
    content = std::move(converted);
    return true;
}

}  // namespace keysettings

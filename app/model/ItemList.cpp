#include "model/ItemList.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace model {

namespace {

// The text of the entry SelectOrAddDefault adds to a library.
constexpr std::wstring_view kDefaultEntryName = L"default";

int Saturate(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

std::ptrdiff_t CItemList::ItemIndex(int row) const {
    const std::int64_t index = std::int64_t{ViewStartAt} + row;
    if (index < 0 || index >= static_cast<std::int64_t>(items_.size())) {
        return -1;
    }
    return static_cast<std::ptrdiff_t>(index);
}

std::wstring CItemList::ItemAt(int row) const {
    const std::ptrdiff_t index = ItemIndex(row);
    return index < 0 ? std::wstring() : items_[static_cast<std::size_t>(index)];
}

CItemList CItemList::SubListAt(int row) const {
    const std::ptrdiff_t index = ItemIndex(row);
    if (index < 0) {
        CItemList empty;
        empty.SizeOfView = SizeOfView;
        return empty;
    }
    return subLists_[static_cast<std::size_t>(index)];
}

void CItemList::Select(int index) {
    std::int64_t wanted = index;
    wanted = std::max<std::int64_t>(wanted, 0);
    wanted = std::min<std::int64_t>(wanted, std::int64_t{Count()} - 1);
    const std::int64_t viewEnd = std::int64_t{ViewStartAt} + SizeOfView;
    if (wanted >= ViewStartAt && wanted < viewEnd) {
        CursorPos = Saturate(wanted - ViewStartAt);
    } else {
        ViewStartAt = static_cast<int>(wanted);
        CursorPos = 0;
    }
}

void CItemList::AppendAndShow(std::wstring_view text) {
    items_.emplace_back(text);
    CItemList subList;
    subList.SizeOfView = SizeOfView;
    subLists_.push_back(std::move(subList));

    const std::int64_t visible = std::int64_t{Count()} - ViewStartAt;
    const std::int64_t overflow = visible - SizeOfView;
    if (overflow > 0) {
        ViewStartAt = Saturate(ViewStartAt + overflow);
        CursorPos = Saturate(std::int64_t{SizeOfView} - 1);
    } else {
        CursorPos = Saturate(visible - 1);
    }
}

void CItemList::SetOrAppend(int row, std::wstring_view text) {
    const std::ptrdiff_t index = ItemIndex(row);
    if (index >= 0) {
        items_[static_cast<std::size_t>(index)] = text;
    } else {
        // Also for an index below 0: no item is there, and appending is the only way the text
        // can go into the list.
        AppendAndShow(text);
    }
}

void CItemList::Append(std::wstring_view text) {
    AppendAndShow(text);
}

void CItemList::SetSubList(int row, const CItemList& list) {
    const std::ptrdiff_t index = ItemIndex(row);
    if (index >= 0) {
        subLists_[static_cast<std::size_t>(index)] = list;
    }
}

void CItemList::InsertAt(int row, std::wstring_view text) {
    const std::int64_t wanted = std::int64_t{ViewStartAt} + row;
    if (wanted >= Count()) {
        AppendAndShow(text);
        return;
    }
    // An index below 0 inserts before the first item.
    const auto index = static_cast<std::ptrdiff_t>(std::max<std::int64_t>(wanted, 0));
    items_.emplace(items_.begin() + index, text);
    CItemList subList;
    subList.SizeOfView = SizeOfView;
    subLists_.insert(subLists_.begin() + index, std::move(subList));
}

void CItemList::RemoveAt(int row) {
    if (items_.empty()) {
        return;
    }
    const std::int64_t wanted =
        std::min<std::int64_t>(std::int64_t{ViewStartAt} + row, std::int64_t{Count()} - 1);
    if (wanted < 0) {
        return;  // names no item
    }
    const auto index = static_cast<std::ptrdiff_t>(wanted);
    items_.erase(items_.begin() + index);
    subLists_.erase(subLists_.begin() + index);

    if (items_.empty()) {
        ViewStartAt = 0;
        CursorPos = 0;
        return;
    }
    const int count = Count();
    if (ViewStartAt >= count) {
        ViewStartAt = count - 1;
    }
    const std::int64_t lastRow = std::int64_t{count} - ViewStartAt - 1;
    if (CursorPos >= lastRow) {
        CursorPos = Saturate(lastRow);
    }
}

void CItemList::Clear() {
    items_.clear();
    subLists_.clear();
    ViewStartAt = 0;
    CursorPos = 0;
    Cycles = 1;
    Delay = 30;
    IsAutoInterval = false;
    PlayMode = 0;
}

void CItemList::Assign(const CItemList& list) {
    if (this != &list) {
        *this = list;
    }
}

void CItemList::PlaceAt(std::size_t index, std::wstring text, CItemList subList) {
    PlaceAt(index, std::move(text)) = std::move(subList);
}

CItemList& CItemList::PlaceAt(std::size_t index, std::wstring text) {
    if (index == items_.size()) {
        // Items read in their stored order: the common case, built without a default first.
        items_.push_back(std::move(text));
        return subLists_.emplace_back();
    }
    if (index > items_.size()) {
        items_.resize(index + 1);
        subLists_.resize(index + 1);
    }
    items_[index] = std::move(text);
    subLists_[index] = CItemList();
    return subLists_[index];
}

void CItemList::Reserve(std::size_t count) {
    items_.reserve(count);
    subLists_.reserve(count);
}

int CItemList::IndexOf(const std::vector<std::wstring>& items, std::wstring_view text) {
    const auto found = std::find(items.begin(), items.end(), text);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

bool CItemList::SameContent(const CItemList& a, const CItemList& b) {
    return a.items_ == b.items_ && a.Cycles == b.Cycles && a.IsAutoInterval == b.IsAutoInterval &&
           a.Delay == b.Delay && a.PlayMode == b.PlayMode;
}

void CItemList::SelectOrAddDefault(CItemList& library, const CItemList& content) {
    for (std::size_t i = 0; i < library.subLists_.size(); ++i) {
        if (SameContent(library.subLists_[i], content)) {
            library.Select(static_cast<int>(i));
            return;
        }
    }
    library.AppendAndShow(kDefaultEntryName);
    // Appending selects the new entry, whatever the view looked like before.
    library.subLists_.back() = content;
}

bool operator==(const CItemList& a, const CItemList& b) {
    return a.SizeOfView == b.SizeOfView && a.ViewStartAt == b.ViewStartAt &&
           a.CursorPos == b.CursorPos && CItemList::SameContent(a, b) && a.subLists_ == b.subLists_;
}

}  // namespace model

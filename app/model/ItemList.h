// CItemList: a list of text items, each owning a sub-list of the same type, together with the
// state of the scrolled list view that shows it and the playback values of a macro or an
// emulation. It holds a key's combo keys, macro events or emulation keys, and the three
// libraries (entry names, each with its content list as sub-list).
//
// "Row" means a position relative to ViewStartAt; the selected absolute index is
// ViewStartAt + CursorPos. The view fields come from profiles as arbitrary numbers, so every
// operation computes indexes in 64 bits and never touches an item outside the list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace model {

class CItemList {
public:
    // List view state.
    int SizeOfView = 0;   // rows the view shows; kept by Clear
    int ViewStartAt = 0;  // index of the first visible item
    int CursorPos = 0;    // selected row, relative to ViewStartAt

    // Playback values.
    int Cycles = 1;               // macro repeat count
    bool IsAutoInterval = false;  // macro plays with one fixed interval (Delay)
    int Delay = 30;               // milliseconds: macro fixed interval, emulation interval
    int PlayMode = 0;             // macro play mode

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const std::vector<std::wstring>& Items() const { return items_; }
    const std::vector<CItemList>& SubLists() const { return subLists_; }

    // Item at ViewStartAt + row; empty when that index is outside the list.
    std::wstring ItemAt(int row) const;
    // Copy of the sub-list at ViewStartAt + row; outside the list, a new empty list with this
    // list's SizeOfView.
    CItemList SubListAt(int row) const;

    // Selects an absolute index, clamped to 0 and then to Count() - 1, scrolling the view only
    // when the index lies outside it.
    void Select(int index);
    // Replaces the text at ViewStartAt + row, or appends the text (with an empty sub-list) and
    // shows it selected on the view's last row when no item is there.
    void SetOrAppend(int row, std::wstring_view text);
    // Appends the text with an empty sub-list and selects it.
    void Append(std::wstring_view text);
    // Replaces the sub-list at ViewStartAt + row; nothing when no item is there.
    void SetSubList(int row, const CItemList& list);
    // Inserts the text before ViewStartAt + row (view unchanged), or appends as SetOrAppend does.
    void InsertAt(int row, std::wstring_view text);
    // Removes the item at ViewStartAt + row (the last item when beyond the end) and pulls the
    // view back inside the list.
    void RemoveAt(int row);
    // Removes every item; view and playback values return to their initial values except
    // SizeOfView, which is kept.
    void Clear();
    // Makes this list a deep copy of `list`.
    void Assign(const CItemList& list);

    // Puts `text` and `subList` at an absolute index, growing the list with empty items when the
    // index lies beyond the end. Used to place items read by their stored index.
    void PlaceAt(std::size_t index, std::wstring text, CItemList subList);
    // The same with a new empty sub-list, which it returns for the caller to fill in place: a
    // reader then builds a tree without moving sub-lists around. The reference is valid until
    // this list changes.
    CItemList& PlaceAt(std::size_t index, std::wstring text);
    // Reserves room for `count` items.
    void Reserve(std::size_t count);

    // Index of the first item equal to `text` (exact comparison), -1 when there is none.
    static int IndexOf(const std::vector<std::wstring>& items, std::wstring_view text);
    // Same items and playback values; view fields and sub-lists are not compared.
    static bool SameContent(const CItemList& a, const CItemList& b);
    // Selects the first library entry whose content equals `content`; when there is none,
    // appends an entry "default" holding a copy of `content`.
    static void SelectOrAddDefault(CItemList& library, const CItemList& content);

    // Every field, item and sub-list equal (view fields included).
    friend bool operator==(const CItemList& a, const CItemList& b);
    friend bool operator!=(const CItemList& a, const CItemList& b) { return !(a == b); }

private:
    // ViewStartAt + row as an index into the list, or -1 when it names no item.
    std::ptrdiff_t ItemIndex(int row) const;
    void AppendAndShow(std::wstring_view text);

    std::vector<std::wstring> items_;
    std::vector<CItemList> subLists_;  // always as long as items_
};

}  // namespace model

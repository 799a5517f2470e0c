#include "model/ItemList.h"

#include <gtest/gtest.h>

#include <climits>

using model::CItemList;

namespace {

CItemList ListOf(std::initializer_list<const wchar_t*> texts, int sizeOfView) {
    CItemList list;
    list.SizeOfView = sizeOfView;
    for (const wchar_t* text : texts) {
        list.Append(text);
    }
    return list;
}

TEST(ItemListView, ItemAtAndSubListAtOutsideTheListGiveEmptyValues) {
    CItemList list = ListOf({L"a", L"b"}, 7);
    list.ViewStartAt = 1;
    EXPECT_EQ(list.ItemAt(0), L"b");
    EXPECT_EQ(list.ItemAt(-1), L"a");
    EXPECT_EQ(list.ItemAt(-2), L"");
    EXPECT_EQ(list.ItemAt(1), L"");
    const CItemList outside = list.SubListAt(5);
    EXPECT_TRUE(outside.Empty());
    EXPECT_EQ(outside.SizeOfView, 7);
    EXPECT_EQ(list.SubListAt(-2).SizeOfView, 7);
}

TEST(ItemListView, SelectOnAnEmptyListStartsTheViewAtMinusOneAndStillAppends) {
    CItemList list;
    list.SizeOfView = 6;
    list.Select(3);
    EXPECT_EQ(list.ViewStartAt, -1);
    EXPECT_EQ(list.CursorPos, 0);
    list.SetOrAppend(20000, L"x");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items()[0], L"x");
    // Row 0 now points before the first item; it names nothing, so it appends too.
    list.SetOrAppend(0, L"y");
    EXPECT_EQ(list.Count(), 2);
}

TEST(ItemListView, SelectInsideTheViewMovesOnlyTheCursor) {
    CItemList list = ListOf({L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}, 4);
    list.ViewStartAt = 2;
    list.CursorPos = 0;
    list.Select(4);
    EXPECT_EQ(list.ViewStartAt, 2);
    EXPECT_EQ(list.CursorPos, 2);
    list.Select(6);  // just past the view
    EXPECT_EQ(list.ViewStartAt, 6);
    EXPECT_EQ(list.CursorPos, 0);
    list.Select(100);  // clamped to the last item
    EXPECT_EQ(list.ViewStartAt, 6);
    EXPECT_EQ(list.CursorPos, 1);
    list.Select(-5);  // clamped to 0
    EXPECT_EQ(list.ViewStartAt, 0);
    EXPECT_EQ(list.CursorPos, 0);
}

TEST(ItemListView, AppendingToAFullViewScrollsByOneAndSelectsTheLastRow) {
    CItemList list = ListOf({L"0", L"1", L"2", L"3", L"4", L"5"}, 6);
    EXPECT_EQ(list.ViewStartAt, 0);
    EXPECT_EQ(list.CursorPos, 5);
    list.SetOrAppend(200000, L"6");
    EXPECT_EQ(list.ViewStartAt, 1);
    EXPECT_EQ(list.CursorPos, 5);
    EXPECT_EQ(list.ItemAt(list.CursorPos), L"6");
    EXPECT_EQ(list.SubLists().back().SizeOfView, 6);
}

TEST(ItemListView, AppendingToAShortListSelectsTheNewItemWithoutScrolling) {
    CItemList list = ListOf({L"0", L"1"}, 6);
    EXPECT_EQ(list.ViewStartAt, 0);
    EXPECT_EQ(list.CursorPos, 1);
}

TEST(ItemListView, SetOrAppendReplacesTextAndKeepsTheSubList) {
    CItemList list = ListOf({L"a", L"b"}, 6);
    list.SetSubList(1, ListOf({L"inner"}, 3));
    list.ViewStartAt = 1;
    list.SetOrAppend(0, L"B");
    EXPECT_EQ(list.Items()[1], L"B");
    EXPECT_EQ(list.SubLists()[1].Items()[0], L"inner");
    EXPECT_EQ(list.Count(), 2);
}

TEST(ItemListView, SetSubListBeyondTheEndChangesNothing) {
    CItemList list = ListOf({L"a"}, 6);
    list.SetSubList(1, ListOf({L"inner"}, 3));
    list.SetSubList(-1, ListOf({L"inner"}, 3));
    EXPECT_TRUE(list.SubLists()[0].Empty());
}

TEST(ItemListView, InsertAtPutsTheTextBeforeTheRowAndKeepsTheView) {
    CItemList list = ListOf({L"a", L"c"}, 6);
    list.CursorPos = 0;
    list.InsertAt(1, L"b");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items()[1], L"b");
    EXPECT_EQ(list.CursorPos, 0);
    EXPECT_EQ(list.SubLists()[1].SizeOfView, 6);
    list.InsertAt(3, L"d");  // at the end: appends and selects
    EXPECT_EQ(list.Items().back(), L"d");
    EXPECT_EQ(list.CursorPos, 3);
}

TEST(ItemListView, RemoveAtPullsTheViewBackInsideTheList) {
    CItemList empty;
    empty.ViewStartAt = 3;
    empty.RemoveAt(0);
    EXPECT_EQ(empty.ViewStartAt, 3);  // no effect on an empty list

    CItemList single = ListOf({L"only"}, 6);
    single.ViewStartAt = 0;
    single.CursorPos = 0;
    single.RemoveAt(0);
    EXPECT_TRUE(single.Empty());
    EXPECT_EQ(single.ViewStartAt, 0);
    EXPECT_EQ(single.CursorPos, 0);

    CItemList list = ListOf({L"0", L"1", L"2", L"3"}, 2);
    list.ViewStartAt = 3;
    list.CursorPos = 1;
    list.RemoveAt(9);  // beyond the end: the last item goes
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items().back(), L"2");
    EXPECT_EQ(list.ViewStartAt, 2);
    EXPECT_EQ(list.CursorPos, 0);
}

TEST(ItemListView, ClearKeepsOnlyTheViewSize) {
    CItemList list = ListOf({L"a"}, 9);
    list.Cycles = 4;
    list.Delay = 70;
    list.IsAutoInterval = true;
    list.PlayMode = 2;
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.SizeOfView, 9);
    EXPECT_EQ(list.ViewStartAt, 0);
    EXPECT_EQ(list.CursorPos, 0);
    EXPECT_EQ(list.Cycles, 1);
    EXPECT_EQ(list.Delay, 30);
    EXPECT_FALSE(list.IsAutoInterval);
    EXPECT_EQ(list.PlayMode, 0);
}

TEST(ItemListView, HostileViewValuesNeverReachOutsideTheList) {
    CItemList list = ListOf({L"a", L"b"}, 6);
    list.ViewStartAt = INT_MAX;
    list.SizeOfView = INT_MIN;
    EXPECT_EQ(list.ItemAt(INT_MAX), L"");
    list.SetOrAppend(INT_MAX, L"c");  // appends
    EXPECT_EQ(list.Count(), 3);
    list.ViewStartAt = INT_MIN;
    list.SetOrAppend(INT_MIN, L"d");
    list.InsertAt(INT_MIN, L"first");
    EXPECT_EQ(list.Items().front(), L"first");
    list.RemoveAt(INT_MIN);  // names no item
    EXPECT_EQ(list.Count(), 5);
    list.SizeOfView = INT_MAX;
    list.ViewStartAt = INT_MAX;
    list.Select(INT_MAX);
    list.Append(L"e");
    EXPECT_EQ(list.Items().back(), L"e");
}

TEST(ItemListContent, SameContentIgnoresViewFieldsAndSubLists) {
    CItemList a = ListOf({L"A Down", L"<50 ms>", L"A UP"}, 9);
    CItemList b = ListOf({L"A Down", L"<50 ms>", L"A UP"}, 4);
    b.ViewStartAt = 2;
    b.SetSubList(0, ListOf({L"x"}, 1));
    EXPECT_TRUE(CItemList::SameContent(a, b));
    EXPECT_FALSE(a == b);
    b.Delay = 31;
    EXPECT_FALSE(CItemList::SameContent(a, b));
    b.Delay = a.Delay;
    b.Cycles = 2;
    EXPECT_FALSE(CItemList::SameContent(a, b));
    b.Cycles = a.Cycles;
    b.PlayMode = 1;
    EXPECT_FALSE(CItemList::SameContent(a, b));
    b.PlayMode = a.PlayMode;
    b.IsAutoInterval = true;
    EXPECT_FALSE(CItemList::SameContent(a, b));
    EXPECT_FALSE(CItemList::SameContent(a, ListOf({L"A Down"}, 9)));
    EXPECT_FALSE(CItemList::SameContent(a, ListOf({L"A Down", L"<50 ms>", L"a up"}, 9)));
}

TEST(ItemListContent, IndexOfComparesExactly) {
    const std::vector<std::wstring> items{L"Clear", L"CLEAR", L"x"};
    EXPECT_EQ(CItemList::IndexOf(items, L"CLEAR"), 1);
    EXPECT_EQ(CItemList::IndexOf(items, L"clear"), -1);
}

TEST(ItemListContent, AssignCopiesTheWholeTree) {
    CItemList source = ListOf({L"one", L"two"}, 6);
    source.SetSubList(0, ListOf({L"deep"}, 2));
    source.Cycles = 3;
    CItemList target = ListOf({L"old"}, 9);
    target.Assign(source);
    EXPECT_EQ(target, source);
    target.Assign(target);
    EXPECT_EQ(target, source);
}

TEST(ItemListLibrary, SelectOrAddDefaultSelectsAnEqualEntry) {
    CItemList library;
    library.SizeOfView = 2;
    for (const wchar_t* name : {L"first", L"second", L"third"}) {
        library.Append(name);
    }
    library.SetSubList(-library.ViewStartAt + 0, ListOf({L"A"}, 6));
    library.SetSubList(-library.ViewStartAt + 1, ListOf({L"B"}, 6));
    library.SetSubList(-library.ViewStartAt + 2, ListOf({L"LCTRL", L"C"}, 6));
    library.Select(0);

    CItemList content = ListOf({L"LCTRL", L"C"}, 3);
    content.ViewStartAt = 1;  // view fields do not matter
    CItemList::SelectOrAddDefault(library, content);
    EXPECT_EQ(library.Count(), 3);
    EXPECT_EQ(library.ViewStartAt + library.CursorPos, 2);
}

TEST(ItemListLibrary, SelectOrAddDefaultAppendsDefaultHoldingTheContent) {
    CItemList library;
    library.SizeOfView = 6;
    library.Append(L"first");
    library.SetSubList(0, ListOf({L"A"}, 6));
    const CItemList content = ListOf({L"B", L"C"}, 6);
    CItemList::SelectOrAddDefault(library, content);
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Items()[1], L"default");
    EXPECT_EQ(library.ViewStartAt + library.CursorPos, 1);
    EXPECT_EQ(library.SubLists()[1], content);
}

TEST(ItemListLibrary, PlaceAtFillsGapsWithEmptyItems) {
    CItemList list;
    list.PlaceAt(3, L"d", ListOf({L"x"}, 1));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items()[0], L"");
    EXPECT_EQ(list.Items()[3], L"d");
    EXPECT_EQ(list.SubLists()[3].Items()[0], L"x");
    list.PlaceAt(1, L"b", CItemList());
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items()[1], L"b");
}

}  // namespace

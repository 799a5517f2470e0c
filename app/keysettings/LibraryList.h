// A library as pages 1, 2 and 3 show it: a column of entry names in row elements with a scroll
// bar, New and Delete buttons, renaming in the in-place editor, and the content list of the
// selected entry beside it, which the page edits and stores back into the entry.
//
// Rows are relative to the library's view (ViewStartAt); the selected row is CursorPos.
#pragma once

#include "KeySettingsLayout.h"
#include "KeySettingsPage.h"
#include "model/ItemList.h"

#include <string>

namespace keysettings {

class LibraryList {
public:
    // `contentRows`: rows of the content list's view and scroll bar; 0 for a content list
    // without one (the combination's record box).
    LibraryList(PageHost& host, const LibrarySpec& plan, int contentRows);

    model::CItemList& library() { return library_; }
    const model::CItemList& library() const { return library_; }
    model::CItemList& content() { return content_; }
    const model::CItemList& content() const { return content_; }
    const LibrarySpec& plan() const { return spec_; }
    // Rows of the content list's view; 0 where the page shows the content itself.
    int contentRows() const { return spec_.firstContentRowId > 0 ? contentRows_ : 0; }

    // Starts from a copy of the configuration's library and loads the selected entry.
    void open(const model::CItemList& predefined);
    // Selects the entry holding exactly `list` (or adds one named "default") and loads it.
    void selectOrAdd(const model::CItemList& list);

    // Whether the id is New, Delete or one of the rows.
    bool handles(int id) const;
    // New, Delete or a row; `newAndDeleteAllowed` is false where the page forbids them now.
    void clicked(int id, bool newAndDeleteAllowed);
    void newEntry();
    void deleteEntry();
    void rowClicked(int row);

    // Copies the content list into the selected entry.
    void store();
    // Loads the content list from the selected entry and sets its scroll range.
    void loadContent();
    // The content list was rebuilt, or grew or shrank: its scroll range follows its count and
    // the thumb its selected item.
    void contentChanged();

    // Both scroll ranges, as the page is shown.
    void setRanges();
    void scrolled(ListBar bar, int position);

    // Row captions and the selected rows of the library and, where the list shows it, of the
    // content list, before painting.
    void paintRows();
    // The proposed name of a new entry in the language (empty for a language without one).
    std::wstring defaultName(const std::string& language) const;

private:
    bool rowSelected(int row) const;
    void paintListRows(const model::CItemList& list, int firstRowId, int rows);
    void setContentRange(int position);
    void openNameEditor(const std::wstring& text);

    PageHost& host_;
    const LibrarySpec spec_;
    const int contentRows_;
    model::CItemList library_;
    model::CItemList content_;
};

}  // namespace keysettings

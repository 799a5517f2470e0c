#include "LibraryList.h"

#include "SkinItem.h"
#include "keysettings/logic/ContentItems.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <string>

using model::CItemList;

namespace keysettings {
namespace {

std::wstring FormatName(const char* format, int number) {
    std::string text = format;
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return QString::fromUtf8(text.c_str()).toStdWString();
}

// A row shows selected when it is the list's selected row and holds an item.
bool RowShowsSelection(const CItemList& list, int row) {
    return row == list.CursorPos && IndexOfRow(list, row).has_value();
}

}  // namespace

LibraryList::LibraryList(PageHost& host, const LibrarySpec& plan, int contentRows)
    : host_(host), spec_(plan), contentRows_(contentRows) {}

void LibraryList::open(const CItemList& predefined) {
    library_.Assign(predefined);
    library_.SizeOfView = spec_.rows;
    // A profile may carry any view; the selected entry is brought into the view, so that its
    // row exists and the editor can be laid over it.
    if (library_.Empty()) {
        library_.ViewStartAt = 0;
        library_.CursorPos = 0;
    } else {
        const std::int64_t selected = std::int64_t{library_.ViewStartAt} + library_.CursorPos;
        library_.Select(static_cast<int>(
            std::clamp<std::int64_t>(selected, 0, std::int64_t{library_.Count()} - 1)));
    }
    content_ = library_.SubListAt(library_.CursorPos);
}

void LibraryList::selectOrAdd(const CItemList& list) {
    CItemList::SelectOrAddDefault(library_, list);
    content_ = library_.SubListAt(library_.CursorPos);
}

bool LibraryList::handles(int id) const {
    return id == spec_.newId || id == spec_.deleteId ||
           (id >= spec_.firstRowId && id < spec_.firstRowId + spec_.rows);
}

void LibraryList::clicked(int id, bool newAndDeleteAllowed) {
    if (id == spec_.newId) {
        if (newAndDeleteAllowed) {
            newEntry();
        }
    } else if (id == spec_.deleteId) {
        if (newAndDeleteAllowed) {
            deleteEntry();
        }
    } else if (handles(id)) {
        rowClicked(id - spec_.firstRowId);
    }
}

void LibraryList::newEntry() {
    // What was made in the selected entry (a pick on the virtual keyboard, say) stays in it.
    store();
    library_.Append(L"");
    host_.adjustBarMaximum(ListBar::Library, +1);
    loadContent();
    host_.refresh();
    // The entry takes a name when the editor is committed; the user may type another one.
    openNameEditor(defaultName(host_.language()));
}

void LibraryList::deleteEntry() {
    if (library_.Empty()) {
        return;
    }
    if (rowSelected(library_.CursorPos)) {
        library_.RemoveAt(library_.CursorPos);
        host_.adjustBarMaximum(ListBar::Library, -1);
    }
    loadContent();
    host_.refresh();
}

void LibraryList::rowClicked(int row) {
    if (std::int64_t{library_.ViewStartAt} + row >= library_.Count()) {
        return;
    }
    store();
    if (rowSelected(row)) {
        openNameEditor(library_.ItemAt(library_.CursorPos));
        return;
    }
    library_.CursorPos = row;
    loadContent();
    host_.refresh();
}

void LibraryList::store() {
    library_.SetSubList(library_.CursorPos, content_);
}

void LibraryList::loadContent() {
    content_ = library_.SubListAt(library_.CursorPos);
    setContentRange(0);
}

void LibraryList::contentChanged() {
    setContentRange(SelectedIndex(content_).value_or(0));
}

void LibraryList::setContentRange(int position) {
    if (contentRows_ > 0) {
        host_.setBarRange(ListBar::Content, content_.Count() + contentRows_ - 1, contentRows_,
                          position);
    }
}

void LibraryList::setRanges() {
    host_.setBarRange(ListBar::Library, library_.Count() + spec_.rows - 1, spec_.rows, 0);
    if (contentRows_ > 0) {
        setContentRange(0);
    } else {
        host_.setBarRange(ListBar::Content, 0, 0, 0);
    }
}

void LibraryList::scrolled(ListBar bar, int position) {
    if (bar == ListBar::Library) {
        // The content list always belongs to the selected entry: what was edited goes back
        // into the entry it came from before another one is selected and loaded.
        store();
        library_.Select(position);
        content_ = library_.SubListAt(library_.CursorPos);
    } else {
        content_.Select(position);
    }
    host_.refresh();
}

bool LibraryList::rowSelected(int row) const {
    return RowShowsSelection(library_, row);
}

void LibraryList::paintListRows(const CItemList& list, int firstRowId, int rows) {
    for (int row = 0; row < rows; ++row) {
        if (skin::SkinItem* item = host_.item(firstRowId + row)) {
            item->captions[host_.language()] = list.ItemAt(row);
            item->isSelected = RowShowsSelection(list, row);
        }
    }
}

void LibraryList::paintRows() {
    paintListRows(library_, spec_.firstRowId, spec_.rows);
    if (contentRows_ > 0 && spec_.firstContentRowId > 0) {
        paintListRows(content_, spec_.firstContentRowId, contentRows_);
    }
}

std::wstring LibraryList::defaultName(const std::string& language) const {
    const char* format = nullptr;
    if (language == "zh-CN") {
        format = spec_.nameFormatZh;
    } else if (language == "en-US") {
        format = spec_.nameFormatEn;
    } else {
        return {};
    }
    for (int number = 1;; ++number) {
        std::wstring name = FormatName(format, number);
        if (CItemList::IndexOf(library_.Items(), name) < 0) {
            return name;
        }
    }
}

void LibraryList::openNameEditor(const std::wstring& text) {
    // The entry is remembered by its index, so the name reaches it even when the view has
    // scrolled in the meantime; an entry that is gone takes no name, and nothing is appended.
    const std::int64_t index = std::int64_t{library_.ViewStartAt} + library_.CursorPos;
    host_.openEditor(spec_.firstRowId + library_.CursorPos, text, EditorPurpose::Name,
                     [this, index](const std::wstring& name) {
                         if (index < 0 || index >= library_.Count()) {
                             return;
                         }
                         library_.SetOrAppend(
                             static_cast<int>(index - std::int64_t{library_.ViewStartAt}), name);
                     });
}

}  // namespace keysettings

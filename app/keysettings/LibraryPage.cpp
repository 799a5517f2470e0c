#include "LibraryPage.h"

#include "keysettings/logic/ContentItems.h"
#include "model/KeyboardConfig.h"

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;

namespace keysettings {

LibraryPage::LibraryPage(PageHost& host, const LibrarySpec& plan, int contentRows, int kind,
                         CItemList CKeyboardProfile::*predefined)
    : KeySettingsPage(host, plan.page),
      list_(host, plan, contentRows),
      kind_(kind),
      predefined_(predefined) {
    list_.open(host.config().*predefined_);
}

bool LibraryPage::openOnSlot(int kind, int /*hwCode*/, const CItemList& slotList) {
    if (kind != kind_) {
        return false;
    }
    list_.selectOrAdd(slotList);
    return true;
}

void LibraryPage::shown() {
    list_.setRanges();
}

void LibraryPage::beforePaint() {
    list_.paintRows();
}

void LibraryPage::clicked(int id) {
    if (list_.handles(id)) {
        list_.clicked(id, true);
    }
}

void LibraryPage::scrolled(ListBar bar, int position) {
    list_.scrolled(bar, position);
}

std::optional<ListBar> LibraryPage::listOfRow(int id) const {
    const LibrarySpec& plan = list_.plan();
    if (id >= plan.firstRowId && id < plan.firstRowId + plan.rows) {
        return ListBar::Library;
    }
    if (list_.contentRows() > 0 && id >= plan.firstContentRowId &&
        id < plan.firstContentRowId + list_.contentRows()) {
        return ListBar::Content;
    }
    return std::nullopt;
}

int LibraryPage::selectedRowId(ListBar bar) const {
    const CItemList& shown = bar == ListBar::Library ? list_.library() : list_.content();
    const int firstRow =
        bar == ListBar::Library ? list_.plan().firstRowId : list_.plan().firstContentRowId;
    if (shown.Empty() || (bar == ListBar::Content && list_.contentRows() == 0)) {
        return -1;
    }
    return firstRow + shown.CursorPos;
}

std::optional<int> LibraryPage::selectedIndex(ListBar bar) const {
    if (selectedRowId(bar) < 0) {
        return std::nullopt;
    }
    const CItemList& shown = bar == ListBar::Library ? list_.library() : list_.content();
    return SelectedIndex(shown);
}

void LibraryPage::startRecording(const RecordButton& button,
                                 const std::function<void(CItemList&)>& startRecorder) {
    if (list_.library().Empty()) {
        return;
    }
    startRecorder(list_.content());
    showRecordButton(button, true);
    list_.contentChanged();
    host().startCapture(*this);
}

void LibraryPage::stopRecording(const RecordButton& button) {
    host().stopCapture();
    list_.store();
    showRecordButton(button, false);
}

void LibraryPage::setContentValue(int CItemList::*field, int value) {
    if (list_.content().*field != value) {
        list_.content().*field = value;
        list_.store();
    }
}

void LibraryPage::writeBack(CKeyboardConfig& config, int key, int layer) {
    writeContentToSlot(config, key, layer);
    writeLibrary(config);
}

void LibraryPage::writeContentToSlot(CKeyboardConfig& config, int key, int layer) const {
    if (list_.content().Empty()) {
        return;
    }
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    config.keyList[k][l].Assign(list_.content());
    config.keyMode[k][l] = kind_;
    config.keyHWCode[k][l] = 0;
}

void LibraryPage::writeLibrary(CKeyboardConfig& config) {
    list_.store();
    (config.*predefined_).Assign(list_.library());
}

}  // namespace keysettings

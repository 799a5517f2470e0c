// A page built around one library of the configuration (combinations, macros, emulations): it
// opens on a key whose kind is the library's, shows the library and the selected entry's
// content, and on "OK" makes that content the key's assignment and writes the library back.
#pragma once

#include "KeySettingsPage.h"
#include "LibraryList.h"
#include "model/KeyboardProfile.h"

#include <functional>

namespace keysettings {

class LibraryPage : public KeySettingsPage {
public:
    // `predefined`: the configuration's library this page edits a copy of.
    LibraryPage(PageHost& host, const LibrarySpec& plan, int contentRows, int kind,
                model::CItemList model::CKeyboardProfile::*predefined);

    LibraryList& list() { return list_; }
    const LibraryList& list() const { return list_; }

    bool openOnSlot(int kind, int hwCode, const model::CItemList& slotList) override;
    void shown() override;
    void beforePaint() override;
    void clicked(int id) override;
    void scrolled(ListBar bar, int position) override;
    void writeBack(model::CKeyboardConfig& config, int key, int layer) override;
    bool hasChoice() const override { return !list_.content().Empty(); }
    std::optional<ListBar> listOfRow(int id) const override;
    int selectedRowId(ListBar bar) const override;
    std::optional<int> selectedIndex(ListBar bar) const override;
    bool assignsKind(int kind) const override { return kind == kind_; }

protected:
    // Starts a recording into the content list (`startRecorder` prepares the list), shows the
    // record button pressed and captures the keyboard until the next click. Nothing when the
    // library is empty: there is no entry to keep the recording.
    void startRecording(const RecordButton& button,
                        const std::function<void(model::CItemList&)>& startRecorder);
    // Releases the keyboard and stores the recording into its entry; the button shows
    // "Record" again.
    void stopRecording(const RecordButton& button);

    // A playback value of the content list typed into an edit: kept and stored into the entry
    // when it changed.
    void setContentValue(int model::CItemList::*field, int value);

    // The key's slot takes the content list, when it has items.
    void writeContentToSlot(model::CKeyboardConfig& config, int key, int layer) const;
    // The configuration's library takes the page's copy, whether or not the slot changed; the
    // content shown goes into its entry first, so what was confirmed is in the library too.
    void writeLibrary(model::CKeyboardConfig& config);

private:
    LibraryList list_;
    int kind_;
    model::CItemList model::CKeyboardProfile::*predefined_;
};

}  // namespace keysettings

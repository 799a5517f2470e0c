// Page 2: macros. It shows the macro library and the selected macro's items, records a macro
// from the keyboard (each press and release, with the measured delays or at one fixed
// interval), edits a selected delay in place, inserts mouse events and deletes items from the
// right-click menu, and keeps the playback values: repeat count, play mode, delay mode and
// interval. On "OK" the macro becomes the key's assignment, fitted to what the keyboard takes,
// and the library is written back.
#pragma once

#include "LibraryPage.h"
#include "keysettings/logic/MacroRecorder.h"

namespace keysettings {

class MacroPage : public LibraryPage {
public:
    explicit MacroPage(PageHost& host);

    bool recording() const { return recorder_.IsRecording(); }

    void shown() override;
    void beforePaint() override;
    void clicked(int id) override;
    void rightClicked(int id, const QPoint& globalPoint) override;
    void countEdited(int value) override;
    void delayEdited(int value) override;
    ClickWhileCapturing clickWhileCapturing(int id) override;
    void captureKey(const HookKey& key) override;
    void writeBack(model::CKeyboardConfig& config, int key, int layer) override;

private:
    model::CItemList& content() { return list().content(); }
    void choosePlayMode(int playMode);
    void useFixedInterval();
    void useRecordedDelays();
    void contentRowClicked(int row);
    void openDelayEditor();

    MacroRecorder recorder_;
};

}  // namespace keysettings

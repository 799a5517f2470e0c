// Recording a macro from the keyboard. While it runs, every key message of the desktop comes
// in with the time since the previous one; each press and each release becomes an event item
// ("A Down", "A UP"), with recorded delays preceded by the measured delay ("<120 ms>"), until
// the content holds as much as a macro may.
#pragma once

#include "keysettings/logic/PressReleaseFilter.h"
#include "model/CodeTables.h"
#include "model/ItemList.h"

namespace keysettings {

class MacroRecorder {
public:
    explicit MacroRecorder(const model::CKeyCodeTables& codes) : codes_(codes) {}

    bool IsRecording() const { return recording_; }

    // Starts a recording into `content`: its items go, its playback values and view size stay,
    // every key counts as up. The library entry keeps its previous content until the stop.
    void Start(model::CItemList& content);

    // One key message: the key code with its release bit (0x200) and extended bit (0x100),
    // whether it is a release, and the milliseconds since the previous key message of any kind
    // (so a held key's release measures from its last auto-repeat). Returns how many items were
    // appended (0, 1 or 2); nothing happens unless a recording runs.
    int OnKeyEvent(model::CItemList& content, int code, bool released, int elapsedMs);

    // Ends the recording. With recorded delays, after at least one event and with room left,
    // the final "<50 ms>" is appended;
    // returns how many items that added (0 or 1). Store the content into its library entry
    // before calling this: the entry receives the final delay only at its next store.
    int Stop(model::CItemList& content);

private:
    const model::CKeyCodeTables& codes_;
    PressReleaseFilter keys_;
    bool recording_ = false;
};

}  // namespace keysettings

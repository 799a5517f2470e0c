// Recording an emulation: up to six keys, in the order they are pressed, that the keyboard
// then repeats at the content's interval (its Delay).
#pragma once

#include "keysettings/logic/PressReleaseFilter.h"
#include "model/AssignmentRules.h"
#include "model/CodeTables.h"
#include "model/ItemList.h"

namespace keysettings {

constexpr int kMostEmulationKeys = model::kEmulationKeyLimit;
constexpr int kLongestEmulationInterval = model::kEmulationIntervalMax;

class EmulationRecorder {
public:
    explicit EmulationRecorder(const model::CKeyCodeTables& codes) : codes_(codes) {}

    bool IsRecording() const { return recording_; }

    // Starts a recording into `content`: its keys go, its interval and view size stay, every
    // key counts as up. The library entry keeps its previous content until the stop.
    void Start(model::CItemList& content);

    // One key message (key code with its release and extended bits, and whether it is a
    // release). A press is appended as the key's name unless six keys are there or the previous
    // key message had the same code; releases add nothing. Returns how many items were
    // appended (0 or 1); nothing happens unless a recording runs.
    int OnKeyEvent(model::CItemList& content, int code, bool released);

    // Ends the recording; the content stays as recorded. Store it into its library entry.
    void Stop() { recording_ = false; }

private:
    const model::CKeyCodeTables& codes_;
    PressReleaseFilter keys_;
    int lastCode_ = -1;  // the previous key message's code, taken or dropped
    bool recording_ = false;
};

}  // namespace keysettings

// Page 3: emulations (up to six keys the keyboard repeats at an interval). It shows the
// emulation library and the selected entry's keys, records the keys from the keyboard in the
// order they are pressed, and keeps the interval. On "OK" the entry becomes the key's
// assignment and the library is written back.
#pragma once

#include "LibraryPage.h"
#include "keysettings/logic/EmulationRecorder.h"

namespace keysettings {

class EmulationPage : public LibraryPage {
public:
    explicit EmulationPage(PageHost& host);

    bool recording() const { return recorder_.IsRecording(); }

    void shown() override;
    void beforePaint() override;
    void clicked(int id) override;
    void countEdited(int value) override;
    ClickWhileCapturing clickWhileCapturing(int id) override;
    void captureKey(const HookKey& key) override;

private:
    model::CItemList& content() { return list().content(); }

    EmulationRecorder recorder_;
};

}  // namespace keysettings

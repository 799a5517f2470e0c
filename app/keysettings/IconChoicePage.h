// Pages 4 to 7: one HW code chosen from a page of icons (multimedia, mouse, function and power
// keys). Each page opens on a key of its kind with that key's code, takes the key's default
// code from "Default", and on "OK" assigns the chosen code. A click on an icon chooses it, a
// click on the chosen icon withdraws the choice; the chosen icon shows selected.
#pragma once

#include "KeySettingsPage.h"
#include "keysettings/logic/IconChoice.h"

namespace keysettings {

class IconChoicePage : public KeySettingsPage {
public:
    // `page`: 4..7, which also gives the kind "OK" assigns.
    IconChoicePage(PageHost& host, int page);

    // The chosen HW code; -1 none.
    int code() const { return code_; }
    void setCode(int code) { code_ = code; }

    bool openOnSlot(int kind, int hwCode, const model::CItemList& list) override;
    void beforePaint() override;
    void clicked(int id) override;
    void takeDefault(int hwCode) override;
    void writeBack(model::CKeyboardConfig& config, int key, int layer) override;
    bool hasChoice() const override { return IsAssignable(code_); }
    bool assignsKind(int kind) const override { return kind == kind_; }

private:
    int kind_;
    int code_ = kNoIconChoice;
};

}  // namespace keysettings

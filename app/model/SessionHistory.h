// What the main window knows about the configuration's changes in a session: the steps to undo
// and redo, the state last saved to (or opened from) a profile, and the keys the keyboard holds
// as far as the window knows (those it last wrote or read, or, before any, those of the start).
#pragma once

#include "model/ChangeNames.h"
#include "model/KeyboardProfile.h"
#include "model/UndoHistory.h"

#include <optional>

namespace model {

class SessionHistory {
public:
    // The session starts on `state`: nothing to undo, no profile saved yet.
    void start(const CKeyboardProfile& state);

    // After an action: records the change when `state` differs from the last state known.
    bool record(const CKeyboardProfile& state, ChangeName name);

    // Undo or redo: the state to take, or nothing when there is no step; `report` gets the
    // display line's words for it, in the user's language.
    std::optional<CKeyboardProfile> undo(bool chineseText, std::wstring& report);
    std::optional<CKeyboardProfile> redo(bool chineseText, std::wstring& report);

    // `state` was saved to, or opened from, a profile.
    void markSaved(const CKeyboardProfile& state) { saved_ = state; }
    // The keyboard holds the keys of `state` (written or read).
    void markOnKeyboard(const CKeyboardProfile& state) { onKeyboard_ = state; }

    // Whether `state` differs from the profile last saved or opened (from the session's start
    // when none was).
    bool unsaved(const CKeyboardProfile& state) const;
    // Whether a profile was saved or opened and `state` is what it holds: nothing to save.
    bool atSavedProfile(const CKeyboardProfile& state) const;
    // Whether the keys of `state` differ from those the keyboard holds.
    bool keysUnwritten(const CKeyboardProfile& state) const;

private:
    UndoHistory<CKeyboardProfile, ChangeName> steps_;
    CKeyboardProfile start_;
    std::optional<CKeyboardProfile> saved_;
    CKeyboardProfile onKeyboard_;
};

// Whether two configurations give every key the same assignment on every layer.
bool SameKeys(const CKeyboardProfile& a, const CKeyboardProfile& b);

}  // namespace model

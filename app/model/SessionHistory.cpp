#include "model/SessionHistory.h"

namespace model {

void SessionHistory::start(const CKeyboardProfile& state) {
    steps_.reset(state);
    start_ = state;
    saved_.reset();
    onKeyboard_ = state;
}

bool SessionHistory::record(const CKeyboardProfile& state, ChangeName name) {
    return steps_.record(state, std::move(name));
}

std::optional<CKeyboardProfile> SessionHistory::undo(bool chineseText, std::wstring& report) {
    if (!steps_.canUndo()) {
        report = UndoReport({}, chineseText);
        return std::nullopt;
    }
    report = UndoReport(steps_.undoName(), chineseText);
    return steps_.undo();
}

std::optional<CKeyboardProfile> SessionHistory::redo(bool chineseText, std::wstring& report) {
    if (!steps_.canRedo()) {
        report = RedoReport({}, chineseText);
        return std::nullopt;
    }
    report = RedoReport(steps_.redoName(), chineseText);
    return steps_.redo();
}

bool SessionHistory::unsaved(const CKeyboardProfile& state) const {
    return state != (saved_ ? *saved_ : start_);
}

bool SessionHistory::atSavedProfile(const CKeyboardProfile& state) const {
    return saved_ && state == *saved_;
}

bool SessionHistory::keysUnwritten(const CKeyboardProfile& state) const {
    return !SameKeys(state, onKeyboard_);
}

bool SameKeys(const CKeyboardProfile& a, const CKeyboardProfile& b) {
    return a.keyMode == b.keyMode && a.keyHWCode == b.keyHWCode && a.keyList == b.keyList;
}

}  // namespace model

// The names of the configuration's changes, as undo and redo tell them: "key A, no Fn layer",
// "Default", and the words that introduce them, in both languages.
#pragma once

#include <string>

namespace model {

struct ChangeName {
    std::wstring chinese;
    std::wstring english;

    bool empty() const { return english.empty(); }
    const std::wstring& in(bool chineseText) const { return chineseText ? chinese : english; }
};

enum class WholeChange { Default, Open, ReadAll, Colours };

// A key's assignment on one layer: "key A, no Fn layer".
ChangeName KeyChangeName(int key, int layer);
// A change of the whole configuration, as its button names it.
ChangeName WholeChangeName(WholeChange change);

// The display line's report of an undo or a redo ("Undo: key A, no Fn layer"), or that there
// was nothing to undo or redo (`name` empty).
std::wstring UndoReport(const ChangeName& name, bool chineseText);
std::wstring RedoReport(const ChangeName& name, bool chineseText);

}  // namespace model

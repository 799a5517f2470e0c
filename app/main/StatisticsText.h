// The display line of the main window: the statistics header of the model and, for the key
// under the pointer, its press counter and what it does on each of the three layers.
#pragma once

#include <string>

namespace model {
class CKeyboardConfig;
}

namespace statistics {

// The header with the highest and the lowest key; empty for an unknown language. `report` (an
// undo or a redo) takes the blank line under the title.
std::wstring Header(const model::CKeyboardConfig& config,
                    const std::wstring& report = std::wstring());
// The counter and the three layer lines of a key, appended to the header for the key under
// the pointer.
std::wstring KeyLines(const model::CKeyboardConfig& config, int key);

}  // namespace statistics

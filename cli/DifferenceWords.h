// How the tool words what differs between two sets of key assignments and colours, as a
// verified write and diff print them: one line per key and layer, then one per colour.
#pragma once

#include "model/KeyboardConfig.h"
#include "model/SlotComparison.h"

#include <string>

namespace z9rt::cli {

class DifferenceWords {
public:
    // Words for a keyboard of `deviceType` (its key names and kinds).
    explicit DifferenceWords(int deviceType);

    // The kind's name of a stored form, and the assignment ("" when there is none).
    std::string KindName(const model::KeyReadBack& form) const;
    std::string Assignment(int key, int layer, const model::KeyReadBack& form);
    // The kind's name, then the assignment when there is one: "Combo LCTRL | C".
    std::string Words(int key, int layer, const model::KeyReadBack& form);

    // "key 2 (F1), RightFn: FIRST Single F1; SECOND Not set"
    std::string KeyLine(const model::KeySlotDifference& difference, const std::string& first,
                        const std::string& second);
    // "key 2 (F1) colour: FIRST #ff0000; SECOND #000000"
    static std::string LightLine(const model::LightDifference& difference, const std::string& first,
                                 const std::string& second);

private:
    // A configuration of the model that each form is put into, to word it as `show` does.
    model::CKeyboardConfig scratch_;
};

}  // namespace z9rt::cli

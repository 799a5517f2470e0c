// The numeric edits of the macro and emulation pages: the repeat count, the fixed interval and
// the emulation interval. A value typed out of range is replaced in the edit at once by the
// nearest value in range; setting that text raises the change notification again, which then
// finds the value in range.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keysettings {

struct TypedNumber {
    int value = 0;                            // what the content takes
    std::optional<std::wstring> replacement;  // the text the edit must show instead, if any
};

// The decimal value of the text (0 when it holds none), brought into lowest..highest.
TypedNumber ReadTypedNumber(std::wstring_view text, int lowest, int highest);

// The repeat count of a macro, 1..255 (0 shows "1", 300 shows "255").
TypedNumber ReadRepeatCount(std::wstring_view text);
// The fixed interval of a macro, 0..60000 ms.
TypedNumber ReadMacroInterval(std::wstring_view text);
// The interval of an emulation, 0..6000 ms; an empty text stores 0 and stays empty.
TypedNumber ReadEmulationInterval(std::wstring_view text);

}  // namespace keysettings

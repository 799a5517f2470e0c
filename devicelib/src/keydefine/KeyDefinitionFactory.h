// Making key definitions: from the call interface's arrays, and empty ones of a record's kind.
#pragma once

#include "keydefine/CKeyDefine.h"

#include <memory>

namespace z9rt {

// The definition an array describes (selector 0, 1 or 2 in element 0), for layer number 1..3
// and key 1..82; null for any other selector or a play mode outside 0..2.
std::unique_ptr<CKeyDefine> DefinitionFromArray(int layerNumber, int key, const int* array);

// An empty definition of `kind` 0..4; null for any other kind.
std::unique_ptr<CKeyDefine> EmptyDefinitionOfKind(int kind, int layerNumber, int key);

}  // namespace z9rt

// Large profiles for the benchmarks: keys and library entries holding long macros.
#pragma once

#include "model/KeyboardConfig.h"

#include <memory>

// A 799-item macro with recorded delays, its keys and delays varied by `seed`.
model::CItemList BenchMacro(int seed);

// A Z9RT(PRSM)Ble configuration whose first `macroKeys` key slots hold a macro each, with
// `libraryMacros` macros in the macro library, 200 combinations in the combination library
// and a colour on every key. 36 macro keys and 20 library macros make a little under 7 MB,
// every slot a little over 31 MB; each further library macro adds about 110 kB.
std::unique_ptr<model::CKeyboardConfig> LargeConfig(int macroKeys, int libraryMacros = 20);

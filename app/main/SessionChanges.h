// What the user changed in this run, kept over what is read from the keyboard. The program opens
// on the model's defaults, not on what the keyboard holds; reading the keyboard before the
// first write must not take back the keys and colours the user set in the meantime.
#pragma once

#include "model/KeyboardProfile.h"

// `readBack` is the configuration just read from the keyboard, `beforeRead` what the program
// held before the read and `runStart` what it held when the run began. Every key slot (kind,
// code and list on a layer) and every key colour that the user changed since the run began
// takes the value it had before the read; the others keep what the keyboard gave. Returns how
// many slots and colours were kept.
int KeepChangesOfThisRun(model::CKeyboardProfile& readBack,
                         const model::CKeyboardProfile& beforeRead,
                         const model::CKeyboardProfile& runStart);

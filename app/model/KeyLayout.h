// Where each of the 82 keys sits on the keyboard picture, in design pixels of the main window's
// face. The windows place their key buttons on these rectangles and the command-line tool draws
// its keyboard from them, so both show the same keyboard.
#pragma once

namespace model {

// A key's rectangle; right and bottom are exclusive. All -1 for a number that is no key.
struct KeyPlace {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

// The place of key 1..82.
KeyPlace KeyPlaceOnFace(int key);

}  // namespace model

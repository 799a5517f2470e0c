// The notice start-up shows while it looks for the keyboard again and again (about eleven
// seconds when none is attached), so that the user sees what the program waits for.
#pragma once

#include "SkinnedDialog.h"

class KeyboardSearchNotice : public skin::SkinnedDialog {
    Q_OBJECT

public:
    KeyboardSearchNotice(const skin::SkinResources& resources, float scaleFactor);
};

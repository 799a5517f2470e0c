// The keyboard family's channel: the report channel plus the version query.
#pragma once

#include "channel/CKeyboardUtil.h"

class COrvoUtil : public CKeyboardUtil {
public:
    using CKeyboardUtil::CKeyboardUtil;

    // Asks for the firmware version and writes its text, NUL-terminated, into `buffer` of at
    // least kVersionTextLength wide characters. False when the request or the reply failed;
    // the buffer is then untouched.
    virtual bool ReadVersion(wchar_t* buffer);
};

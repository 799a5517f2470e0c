// The key-definition store's abstract base: which keyboard it serves.
#pragma once

class CKeyboardDefine {
public:
    virtual ~CKeyboardDefine() = default;
    virtual const char* GetProductIdText() const = 0;
    virtual const char* GetVendorIdText() const = 0;
};

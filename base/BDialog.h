#pragma once
#include <cstdint>

class BWindow;

// A system dialog: built on the stack, filled, shown once.
class BDialog {
public:
    virtual ~BDialog() = default;
    // owner may be null.
    virtual int32_t Show(BWindow* pOwner) = 0;
};

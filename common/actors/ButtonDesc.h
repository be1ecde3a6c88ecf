#pragma once
#include <cstdint>

// How a label reacts to the mouse.
struct ButtonDesc {
    int32_t nKind = 0;      // 0 label, 1 switch, 2 check box, 3 push button
    int32_t nCommand = 0;   // key code sent on a click; 0 sends nothing
    int32_t fClickable = 0; // takes left-button events
    uint32_t clrFrame = 0;  // colour of the bevelled frame
    int32_t fFramed = 0;    // bevelled frame when there are no state images
    int32_t nZeroFill = 0;  // zero digits written into the creator's text first
};

enum ButtonKind : int32_t {
    kButtonLabel = 0,
    kButtonSwitch = 1,
    kButtonCheckBox = 2,
    kButtonPush = 3,
};

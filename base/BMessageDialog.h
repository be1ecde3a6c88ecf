#pragma once
#include "base/BDialog.h"

// A message box. Show returns the button pressed: 1 OK, 2 Cancel, 6 Yes, 7 No.
class BMessageDialog : public BDialog {
public:
    enum : int32_t { IconStop = 1, IconExclamation = 2, IconInformation = 3 };
    enum : int32_t { ButtonsOkCancel = 1, ButtonsOk = 2, ButtonsYesNo = 3 };
    enum : int32_t { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

    // 0, or 2 for an unknown kind.
    virtual int32_t SetIcon(int32_t nKind) = 0;
    virtual int32_t SetButtons(int32_t nKind) = 0;
    // 0, or 2 when the resource is empty.
    virtual int32_t SetTextFromResource(uint32_t nId) = 0;
    virtual int32_t SetText(const char* szText) = 0;
};

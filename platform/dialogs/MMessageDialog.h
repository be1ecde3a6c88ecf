#pragma once
#include "base/BMessageDialog.h"

// A message box through SDL. Starts with caption "Message", OK only, no icon.
class MMessageDialog : public BMessageDialog {
public:
    // Style bits as the original message box takes them.
    enum : uint32_t {
        StyleTaskModal = 0x2000,
        StyleOkCancel = 0x1,
        StyleYesNo = 0x4,
        StyleDefaultSecond = 0x100,
        StyleIconHand = 0x10,
        StyleIconExclamation = 0x30,
        StyleIconAsterisk = 0x40,
    };

    int32_t Show(BWindow* pOwner) override;
    int32_t SetIcon(int32_t nKind) override;
    int32_t SetButtons(int32_t nKind) override;
    int32_t SetTextFromResource(uint32_t nId) override;
    int32_t SetText(const char* szText) override;
    void SetCaption(const char* szText);

    uint32_t GetStyle() const { return nStyle; }
    const char* GetCaption() const { return szCaption; }
    const char* GetText() const { return szText; }
    int32_t GetResult() const { return nResult; }

private:
    int32_t ShowScripted();
    int32_t ShowSystem(BWindow* pOwner);

    uint32_t nStyle = StyleTaskModal;
    char szCaption[64] = "Message";
    char szText[512] = "";
    int32_t nResult = AnswerOk;
};

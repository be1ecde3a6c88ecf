#pragma once
#include <cstdint>
#include "common/actors/CActorButton.h"

class CEditCaret;

// A label with a blinking caret; locked it is a plain message line.
class CEditBox : public CActorButton {
public:
    CEditBox(CScene* pScene, int32_t x, int32_t y, int32_t z, const TextDesc* text, const ButtonDesc* behaviour);
    // The caret is not deleted here: the scene deletes it with its other actors.
    ~CEditBox() override = default;

    void Show() override;
    void Hide() override;
    void ToggleVisible() override;

    void SetLocked(int32_t f);
    int32_t IsLocked() const { return fLocked; }
    // Ignored while locked; fStripZeros drops leading '0's but keeps one character.
    void SetText(const char* s, int32_t fStripZeros);
    void MoveCaret(int32_t delta);

    CEditCaret* GetCaret() const { return pCaret; }
    int32_t GetCaretPos() const { return nCaretPos; }

private:
    void PlaceCaret();

    int32_t fLocked = 0;
    CEditCaret* pCaret = nullptr;
    int32_t nCaretPos = 0;
};

#include "common/actors/CEditBox.h"
#include <algorithm>
#include <cstring>
#include "base/Fixed.h"
#include "common/actors/CEditCaret.h"

namespace {
constexpr int32_t kCaretRaise = 768;  // 3 pixels above the box
constexpr int32_t kCaretBack = 768;   // 3 pixels left of the text end
constexpr size_t kMeasureBuffer = 128;
} // namespace

CEditBox::CEditBox(CScene* pScene, int32_t x, int32_t y, int32_t z, const TextDesc* text,
                   const ButtonDesc* behaviour)
    : CActorButton(text, behaviour, pScene, x, y, z, nullptr, 0)
{
    fPinned = 1;
    pCaret = new CEditCaret(pScene, x, y - kCaretRaise, z - Fixed::kOne, fTextShadow);
}

void CEditBox::Show()
{
    if (fLocked)
        pCaret->Hide();
    else
        pCaret->Reveal();
    CActorButton::Show();
}

void CEditBox::Hide()
{
    pCaret->Hide();
    CActorButton::Hide();
}

void CEditBox::ToggleVisible()
{
    if (fHidden)
        Show();
    else
        Hide();
}

void CEditBox::SetLocked(int32_t f)
{
    fLocked = f;
    if (fLocked)
        pCaret->Hide();
    else
        pCaret->Reveal();
}

void CEditBox::SetText(const char* s, int32_t fStripZeros)
{
    if (fLocked)
        return;
    if (s && fStripZeros)
        while (s[0] == '0' && s[1] != '\0')
            ++s;
    CActorButton::SetText(s);
    MoveCaret(int32_t(std::strlen(GetText())));
}

void CEditBox::MoveCaret(int32_t delta)
{
    const int32_t length = int32_t(std::strlen(GetText()));
    nCaretPos = std::clamp(nCaretPos + delta, 0, length);
    PlaceCaret();
}

void CEditBox::PlaceCaret()
{
    char upToCaret[kMeasureBuffer];
    const size_t n = std::min(size_t(nCaretPos), kMeasureBuffer - 1);
    std::memcpy(upToCaret, GetText(), n);
    upToCaret[n] = '\0';
    pCaret->MoveToX(lX + OriginX() + Fixed::FromInt(TextWidth(upToCaret)).Raw() - kCaretBack);
}

#include "common/actors/CEditCaret.h"

namespace {
char szBar[] = "|";
constexpr uint32_t kCaretColour = 0xFF00FFFF;

// Left-aligned, vertically centred, screen font 0; without and with shadow.
const TextDesc kCaretText[2] = {
    {.pszText = szBar, .nMaxLen = 8, .nHAlign = 2, .nVAlign = 0, .clrText = kCaretColour},
    {.pszText = szBar, .nMaxLen = 8, .nHAlign = 2, .nVAlign = 0, .clrText = kCaretColour, .fTextShadow = 1},
};
const ButtonDesc kCaretBehaviour{.nKind = kButtonLabel, .fClickable = 1};
} // namespace

CEditCaret::CEditCaret(CScene* pScene, int32_t x, int32_t y, int32_t z, int32_t fTextShadow)
    : CActorButton(&kCaretText[fTextShadow ? 1 : 0], &kCaretBehaviour, pScene, x, y, z, nullptr, 0)
{
    fPinned = 1;
    Blink(0, kBlinkTicks, kBlinkTicks);
}

void CEditCaret::Reveal()
{
    Show();
    Blink(0, kBlinkTicks, kBlinkTicks);
}

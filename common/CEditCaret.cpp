#include "common/CEditCaret.h"

namespace {
char szBar[] = "|";
constexpr uint32_t kCaretColour = 0xFF00FFFF;

// Left-aligned, vertically centred, screen font 0; without and with shadow.
const TextDesc kCaretText[2] = {
    {szBar, 8, 2, 0, nullptr, 0, kCaretColour, 0, 0},
    {szBar, 8, 2, 0, nullptr, 0, kCaretColour, 1, 0},
};
const ButtonDesc kCaretBehaviour{kButtonLabel, 0, 1, 0, 0, 0};
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

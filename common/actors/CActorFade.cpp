#include "common/actors/CActorFade.h"
#include "base/BDevice.h"
#include "common/scene/CScene.h"
#include "platform/video/MFormat.h"
#include "platform/video/MTexture.h"

namespace {
CActorFade* pFade = nullptr;

constexpr int32_t kTextureSide = 16;
constexpr uint32_t kAlpha32 = 0xFF000000;
constexpr uint16_t kAlpha16 = 0xF000;

// The A4R4G4B4 form of an RGB colour, alpha 0.
uint16_t To16(uint32_t colour)
{
    const uint32_t red = (colour >> 16) & 0xFF;
    const uint32_t green = (colour >> 8) & 0xFF;
    const uint32_t blue = colour & 0xFF;
    return uint16_t(((red & 0xF0) << 4) | (green & 0xF0) | (blue >> 4));
}
} // namespace

CActorFade* CActorFade::Get(CScene* pScene, const int32_t pos[3])
{
    if (!pFade)
        pFade = new CActorFade(pScene, pos);
    return pFade;
}

CActorFade* CActorFade::Current()
{
    return pFade;
}

CActorFade::CActorFade(CScene* pScene, const int32_t pos[3]) : CActor(pScene, pos[0], pos[1], pos[2], 2, 1)
{
    const BDevice* device = pScene->GetDevice();
    nDepth = device ? device->GetBitsPerPixel() : 0;
    lStepTicks = nDepth == 32 ? 4 : 6;
    nSteps = nDepth == 32 ? 26 : 16;
    rcBounds = device ? Rect{0, 0, device->GetBackBufferWidth(), device->GetBackBufferHeight()}
                      : pScene->GetRect();
    clrFade = kFadeColour & 0x00FFFFFF;
    clrFade16 = To16(clrFade);
    pTexture = new MTexture(kTextureSide, kTextureSide);
    if (nDepth == 32)
        pTexture->Fill32(kAlpha32);
    else
        pTexture->Fill16(kAlpha16);
    Hide();
}

CActorFade::~CActorFade()
{
    delete pTexture;
    if (pFade == this)
        pFade = nullptr;
}

int32_t CActorFade::CanRun() const
{
    if (!pTexture)
        return 0;
    const int32_t format = pTexture->GetFormat();
    return (nDepth == 32 && format == kFormatA8R8G8B8) || (nDepth == 16 && format == kFormatA4R4G4B4);
}

void CActorFade::StartFade(int32_t fIn)
{
    fCovered = 0;
    nStep = 0;
    if (!CanRun()) {
        fFadingIn = 0;
        fRevealed = 1;
        Hide();
        return;
    }
    fFadingIn = fIn;
    fRevealed = 0;
    lStepLeft = lStepTicks;
    if (fIn) {
        clrFade = kFadeColour | kAlpha32;
        clrFade16 = To16(kFadeColour) | kAlpha16;
        // Hidden actors are not drawn: show the overlay while it fades.
        Show();
    }
}

int32_t CActorFade::Restart(int32_t, int32_t)
{
    return 0;
}

void CActorFade::Update(int32_t dt)
{
    if (!fFadingIn)
        return;
    dt = dt < 3 ? 2 : dt > 12 ? 12 : dt;
    lStepLeft -= dt;
    if (lStepLeft > 0)
        return;
    lStepLeft += lStepTicks;
    if (nStep < nSteps) {
        FillStep();
        ++nStep;
        return;
    }
    fFadingIn = 0;
    fRevealed = 1;
    Hide();
}

int32_t CActorFade::TicksToNextChange() { return fFadingIn ? 0 : CActor::TicksToNextChange(); }

void CActorFade::FillStep()
{
    NoteDrawnChange();
    if (nDepth == 32)
        pTexture->Fill32(clrFade - (uint32_t(nStep * 5) << 25));
    else
        pTexture->Fill16(uint16_t(clrFade16 - (nStep << 12)));
}

void CActorFade::Draw(const Rect* clip)
{
    if ((fFadingIn || fCovered) && pTexture)
        pTexture->DrawSprite(clip, clip, 0, MTexture::kNoTint);
}

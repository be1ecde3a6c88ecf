#include "common/actors/CActorButton.h"
#include "common/actors/DrawBevelFrame.h"
#include <algorithm>
#include <cstring>
#include "common/status/CGlyphFont.h"
#include "common/scene/CScene.h"
#include "common/assets/CSprite.h"
#include "common/assets/CSpriteArray.h"
#include "platform/text/MFontSet.h"

namespace {
constexpr int32_t kPadding = 8;
constexpr int32_t kPressedShift = 2;
constexpr int32_t kShadowOffset = 2;
constexpr uint32_t kGreyText = 0xFFBFBFBF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr int32_t kBevelThickness = -2;
constexpr uint32_t kBevelRaised = 1;
constexpr uint32_t kBevelSunken = 2;

bool IsBright(uint32_t colour)
{
    return ((colour >> 16) & 0xFF) + ((colour >> 8) & 0xFF) + (colour & 0xFF) > 256;
}

enum class Align { Centre, Near, Far };

// Horizontal codes: 0 centred, 1 right edge at x, 2 left edge at x.
Align HorizontalAlign(int32_t code)
{
    return code == 0 ? Align::Centre : code == 1 ? Align::Far : Align::Near;
}

// Vertical codes: 0 centred, 1 top at y, 2 bottom at y.
Align VerticalAlign(int32_t code)
{
    return code == 0 ? Align::Centre : code == 2 ? Align::Far : Align::Near;
}

// Start of the padded box around a text of size aligned on the point at.
int32_t BoxStart(int32_t at, int32_t size, Align align)
{
    if (align == Align::Centre)
        return at - size / 2 - kPadding;
    if (align == Align::Far)
        return at - size - 2 * kPadding;
    return at;
}

// Start of a text of size placed at the near or far end of [lo, hi).
int32_t TextStart(int32_t lo, int32_t hi, int32_t size, Align align)
{
    return align == Align::Far ? hi - kPadding - size : lo + kPadding;
}
} // namespace

CActorButton::CActorButton(const TextDesc* text, const ButtonDesc* behaviour, CScene* pScene, int32_t x, int32_t y,
                           int32_t z, CSpriteArray* pStates, int32_t nStateBase)
    : CActor(pScene, x, y, z, 2, 1), nMaxLen(std::max(text->nMaxLen, 0)), nHAlign(text->nHAlign),
      nVAlign(text->nVAlign), pGlyphFont(text->pGlyphFont), nFont(text->nFont), clrText(text->clrText),
      fTextShadow(text->fTextShadow), fVertical(text->fVertical), nKind(behaviour->nKind),
      nCommand(behaviour->nCommand), fClickable(behaviour->fClickable), clrFrame(behaviour->clrFrame),
      fFramed(behaviour->fFramed), nZeroFill(behaviour->nZeroFill), pStates(pStates), nStateBase(nStateBase)
{
    if (nZeroFill > 0 && text->pszText) {
        const int32_t n = std::min(nZeroFill, nMaxLen);
        std::memset(text->pszText, '0', size_t(n));
        text->pszText[n] = '\0';
    }
    pszText = std::make_unique<char[]>(size_t(nMaxLen) + 1);
    CopyText(text->pszText);
    UpdateBounds();
    if (!fHidden)
        InvalidateBounds();
}

CActorButton::~CActorButton() = default;

void CActorButton::CopyText(const char* s)
{
    const size_t n = s ? strnlen(s, size_t(nMaxLen)) : 0;
    if (n)
        std::memmove(pszText.get(), s, n);
    pszText[n] = '\0';
}

void CActorButton::SetText(const char* s)
{
    CopyText(s);
    Repaint();
}

int32_t CActorButton::CountStates() const
{
    if (pStates)
        return pStates->nCount;
    if (!fFramed)
        return 1;
    return nKind == kButtonLabel ? 2 : 3;
}

void CActorButton::SetState(int32_t s)
{
    if (nKind == kButtonLabel && pScene->IsSuspended())
        return;
    fDisabled = s == kDisabled;
    if (s == nState)
        return;
    nState = s;
    Repaint();
}

CSprite* CActorButton::GetImage()
{
    return pStates ? pStates->Get(nStateBase + nState) : nullptr;
}

int32_t CActorButton::TextWidth(const char* text) const
{
    if (!pGlyphFont)
        return CScene::GetTextWidth(text, nFont);
    int32_t w = 0;
    for (const char* p = text; *p; ++p)
        w += pGlyphFont->CharWidth(uint8_t(*p)) + pGlyphFont->nSpacing;
    return w;
}

void CActorButton::MeasureVertical(int32_t* w, int32_t* h) const
{
    const size_t n = std::strlen(pszText.get());
    if (pGlyphFont) {
        *w = pGlyphFont->nAdvance;
        *h = int32_t(n) * (pGlyphFont->nLineHeight + pGlyphFont->nSpacing);
        return;
    }
    *w = 0;
    *h = 0;
    char one[2] = {0, 0};
    for (size_t i = 0; i < n; ++i) {
        one[0] = pszText[i];
        *w = std::max(*w, CScene::GetTextWidth(one, nFont));
        *h += CScene::GetTextHeight(one, nFont);
    }
}

void CActorButton::MeasureText(int32_t* w, int32_t* h) const
{
    if (fVertical) {
        MeasureVertical(w, h);
        return;
    }
    *w = TextWidth(pszText.get());
    *h = pGlyphFont ? pGlyphFont->nLineHeight : CScene::GetTextHeight(pszText.get(), nFont);
}

void CActorButton::PlaceBounds(int32_t w, int32_t h)
{
    rcBounds.left = BoxStart(Fixed::FromRaw(lX).Whole(), w, HorizontalAlign(nHAlign));
    rcBounds.top = BoxStart(Fixed::FromRaw(lY).Whole(), h, VerticalAlign(nVAlign));
    rcBounds.right = rcBounds.left + w + 2 * kPadding;
    rcBounds.bottom = rcBounds.top + h + 2 * kPadding;
}

void CActorButton::PlaceText(int32_t w, int32_t h)
{
    const Align horizontal = HorizontalAlign(nHAlign);
    const Align vertical = VerticalAlign(nVAlign);
    rcText.left = horizontal == Align::Centre ? rcBounds.left + rcBounds.Width() / 2 - w / 2
                                              : TextStart(rcBounds.left, rcBounds.right, w, horizontal);
    rcText.top = vertical == Align::Centre ? rcBounds.top + (rcBounds.Height() - h) / 2
                                           : TextStart(rcBounds.top, rcBounds.bottom, h, vertical);
    rcText.right = rcText.left + w;
    rcText.bottom = rcText.top + h;
}

void CActorButton::UpdateBounds()
{
    int32_t w = 0;
    int32_t h = 0;
    MeasureText(&w, &h);
    if (pStates) {
        if (const CSprite* image = GetImage())
            rcBounds = ImageBounds(*image);
    } else if (nKind == kButtonLabel && !pszText[0]) {
        const int32_t x = Fixed::FromRaw(lX).Whole();
        const int32_t y = Fixed::FromRaw(lY).Whole();
        rcBounds = Rect{x, y, x + 50, y + 20};
    } else {
        PlaceBounds(w, h);
        if (nState == kPressed) {
            rcBounds.left += kPressedShift;
            rcBounds.top += kPressedShift;
            rcBounds.right += kPressedShift;
            rcBounds.bottom += kPressedShift;
        }
    }
    PlaceText(w, h);
}

int32_t CActorButton::WantsMouse(const MouseEvent* e)
{
    return !fHidden && fClickable && (e->nType == MouseEvent::LeftDown || e->nType == MouseEvent::LeftUp);
}

int32_t CActorButton::OnMouse(const MouseEvent* e)
{
    if (e->nType == MouseEvent::LeftDown)
        return OnPress();
    if (e->nType == MouseEvent::LeftUp && CScene::GetCaptureActor() == this) {
        OnRelease(e);
        return 1;
    }
    return 0;
}

int32_t CActorButton::OnPress()
{
    switch (nKind) {
    case kButtonPush:
    case kButtonSwitch:
        if (!fDisabled) {
            if (CountStates() < 2)
                return 0;
            SetState(kPressed);
            if (nKind == kButtonPush)
                CScene::SetMouseCapture(this);
        }
        break;
    case kButtonCheckBox:
        if (fDisabled)
            return 0;
        SetState(CountStates() < 2 || nState == kPressed ? kNormal : kPressed);
        break;
    default:
        break;
    }
    if (fDisabled || nCommand == 0)
        return 0;
    CScene::DispatchKeyDown(uint32_t(nCommand));
    return 1;
}

void CActorButton::OnRelease(const MouseEvent* e)
{
    if (nCommand != 0 && rcBounds.Contains(e->wX, e->wY))
        CScene::DispatchKeyUp(uint32_t(nCommand));
    OnCaptureLost();
    CScene::SetMouseCapture(nullptr);
}

void CActorButton::OnCaptureLost()
{
    if (nKind != kButtonLabel && !fDisabled && nState == kPressed)
        SetState(kNormal);
}

void CActorButton::DrawBackground(const Rect* clip)
{
    if (pStates) {
        if (CSprite* image = GetImage())
            image->DrawClipped(clip, rcBounds);
        return;
    }
    if (fFramed)
        DrawBevelFrame(rcBounds.left, rcBounds.top, rcBounds.right, rcBounds.bottom, clrFrame, kBevelThickness,
                       clrFrame, nState == kNormal ? kBevelRaised : kBevelSunken, 0);
}

void CActorButton::Draw(const Rect* clip)
{
    DrawBackground(clip);
    const int32_t shift = nKind != kButtonLabel && nState != kNormal ? 1 : 0;
    if (pGlyphFont)
        DrawGlyphText(rcText.left + shift, rcText.top + shift);
    else
        DrawScreenText(rcText.left + shift, rcText.top + shift);
}

void CActorButton::DrawScreenText(int32_t x, int32_t y) const
{
    if (fTextShadow && nState != kDisabled)
        DrawScreenString(x + kShadowOffset, y + kShadowOffset, IsBright(clrText) ? kBlack : kWhite);
    DrawScreenString(x, y, nState == kDisabled ? kGreyText : clrText);
}

void CActorButton::DrawScreenString(int32_t x, int32_t y, uint32_t colour) const
{
    MFont* font = GetFontSet()->GetFont(nFont);
    if (!font)
        return;
    if (!fVertical) {
        font->DrawText(float(x), float(y), colour, pszText.get(), 0);
        return;
    }
    char one[2] = {0, 0};
    for (const char* p = pszText.get(); *p; ++p) {
        one[0] = *p;
        font->DrawText(float(x), float(y), colour, one, 0);
        y += CScene::GetTextHeight(one, nFont);
    }
}

void CActorButton::DrawGlyphText(int32_t x, int32_t y) const
{
    const CGlyphFont& font = *pGlyphFont;
    for (const char* p = pszText.get(); *p; ++p) {
        const uint8_t ch = uint8_t(*p);
        if (ch == '\r') {
            x = rcText.left;
            y += font.nLineHeight;
            continue;
        }
        const int32_t w = font.CharWidth(ch);
        CSprite* glyph = ch == ' ' ? nullptr : font.GetGlyph(ch);
        if (glyph) {
            const Rect cell{x, y, x + w, y + font.nLineHeight};
            const Rect source{0, 0, w, font.nLineHeight};
            glyph->Draw(&cell, &source, 0);
        }
        if (fVertical)
            y += font.nLineHeight + font.nSpacing;
        else
            x += ch == ' ' ? font.nAdvance : w + font.nSpacing;
    }
}

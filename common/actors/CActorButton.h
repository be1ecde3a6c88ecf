#pragma once
#include <cstdint>
#include <memory>
#include "common/actors/ButtonDesc.h"
#include "common/actors/CActor.h"
#include "common/actors/TextDesc.h"

class CSpriteArray;

// The engine's text actor: a label, push button, switch or check box.
class CActorButton : public CActor {
public:
    enum State : int32_t { kNormal = 0, kPressed = 1, kDisabled = 2 };

    CActorButton(const TextDesc* text, const ButtonDesc* behaviour, CScene* pScene, int32_t x, int32_t y,
                 int32_t z, CSpriteArray* pStates, int32_t nStateBase);
    ~CActorButton() override;

    CSprite* GetImage() override;
    int32_t OnMouse(const MouseEvent* e) override;
    int32_t WantsMouse(const MouseEvent* e) override;
    // Back to the normal look; nothing is sent.
    void OnCaptureLost() override;
    void UpdateBounds() override;
    void Draw(const Rect* clip) override;

    // Copies s, cut to nMaxLen characters, and repaints.
    void SetText(const char* s);
    void SetState(int32_t s);
    // The text's colour from the next drawing on.
    void SetColour(uint32_t colour) { clrText = colour; }

    const char* GetText() const { return pszText.get(); }
    int32_t GetState() const { return nState; }
    const Rect& GetTextRect() const { return rcText; }
    // Number of states: the images, or 1 / 2 / 3 by frame and kind.
    int32_t CountStates() const;

protected:
    // Width of a line of text in this label's font (glyph spacing included).
    int32_t TextWidth(const char* text) const;

    // TextDesc, with pszText an owned copy of nMaxLen + 1 bytes.
    std::unique_ptr<char[]> pszText;
    int32_t nMaxLen;
    int32_t nHAlign;
    int32_t nVAlign;
    CGlyphFont* pGlyphFont;
    int32_t nFont;
    uint32_t clrText;
    int32_t fTextShadow;
    int32_t fVertical;
    // ButtonDesc.
    int32_t nKind;
    int32_t nCommand;
    int32_t fClickable;
    uint32_t clrFrame;
    int32_t fFramed;
    int32_t nZeroFill;

    CSpriteArray* pStates;
    int32_t nStateBase;
    int32_t nState = kNormal;
    int32_t fDisabled = 0;
    Rect rcText{};

private:
    void CopyText(const char* s);
    void MeasureText(int32_t* w, int32_t* h) const;
    void MeasureVertical(int32_t* w, int32_t* h) const;
    void PlaceBounds(int32_t w, int32_t h);
    void PlaceText(int32_t w, int32_t h);
    int32_t OnPress();
    void OnRelease(const MouseEvent* e);
    void DrawBackground(const Rect* clip);
    void DrawScreenText(int32_t x, int32_t y) const;
    void DrawScreenString(int32_t x, int32_t y, uint32_t colour) const;
    void DrawGlyphText(int32_t x, int32_t y) const;
};

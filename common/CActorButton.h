#pragma once
#include <cstdint>
#include "common/ButtonDesc.h"
#include "common/CActor.h"
#include "common/TextDesc.h"

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
    void UpdateBounds() override;
    void Draw(const Rect* clip) override;

    // Copies s, cut to nMaxLen characters, and repaints.
    void SetText(const char* s);
    void SetState(int32_t s);

    const char* GetText() const { return pszText; }
    int32_t GetState() const { return nState; }
    const Rect& GetTextRect() const { return rcText; }
    // Number of states: the images, or 1 / 2 / 3 by frame and kind.
    int32_t CountStates() const;

protected:
    // Width and height of text in this label's font.
    void MeasureText(const char* text, int32_t* w, int32_t* h) const;
    int32_t TextWidth(const char* text) const;
    void ClickPress();
    void ClickRelease(const MouseEvent* e);

    // TextDesc, with pszText an owned copy of nMaxLen + 1 bytes.
    char* pszText;
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
    void PlaceBounds(int32_t w, int32_t h);
    void PlaceText(int32_t w, int32_t h);
    void DrawFrame() const;
    void DrawScreenText(float x, float y) const;
    void DrawGlyphText(int32_t x, int32_t y) const;
};

#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "base/MouseEvent.h"
#include "common/actors/CActor.h"
#include "common/actors/ButtonDesc.h"
#include "common/status/CGlyphFont.h"
#include "common/scene/CScene.h"
#include "common/screen/CScreen.h"
#include "common/actors/TextDesc.h"
#include "scene_fakes.h"

// Without a device nothing is drawn.
using UiTestScreen = fakes::Screen;

// A scene that records the keys the engine dispatches to it: "+78" down, "-78" up.
class KeyScene : public CScene {
public:
    explicit KeyScene(CScreen* screen, int32_t originX = 0, int32_t originY = 0)
        : CScene(screen, originX, originY, 0, 1, 0, 1)
    {
    }
    int32_t OnKeyDown(uint32_t key) override
    {
        rgKeys.push_back("+" + std::to_string(key));
        return 1;
    }
    int32_t OnKeyUp(uint32_t key) override
    {
        rgKeys.push_back("-" + std::to_string(key));
        return 1;
    }

    std::vector<std::string> rgKeys;
};

// A fixed-pitch glyph font without glyph images: every character is 10 x 12.
class TestGlyphFont : public CGlyphFont {
public:
    TestGlyphFont() : CGlyphFont(0)
    {
        nAdvance = 10;
        nLineHeight = 12;
        fFixedPitch = 1;
    }
};

inline int32_t Fix(int32_t pixels)
{
    return pixels * 256;
}

// An actor of a given collision shape whose bounds (and mask image) are set directly.
class BoundsActor : public CActor {
public:
    BoundsActor(CScene* scene, int32_t shape, const Rect& bounds, CSprite* image = nullptr)
        : CActor(scene, 0, 0, Fix(10), 0, shape), pImage(image)
    {
        rcBounds = bounds;
    }
    CSprite* GetImage() override { return pImage; }
    void UpdateBounds() override {}
    void Draw(const Rect*) override {}
    CSprite* pImage;
};

inline MouseEvent Mouse(uint32_t type, uint16_t x, uint16_t y)
{
    MouseEvent e;
    e.nType = type;
    e.wX = x;
    e.wY = y;
    return e;
}

inline int32_t Dispatch(uint32_t type, uint16_t x, uint16_t y)
{
    const MouseEvent e = Mouse(type, x, y);
    return CScene::DispatchMouseEvent(&e);
}

// Text in the glyph font, centred on the point, at most 16 characters.
inline TextDesc GlyphText(char* text, CGlyphFont* font, int32_t hAlign = 0, int32_t vAlign = 0)
{
    return TextDesc{text, 16, hAlign, vAlign, font, 0, 0xFFFFFFFF, 0, 0};
}

inline ButtonDesc Behaviour(int32_t kind, int32_t command, int32_t fFramed = 0)
{
    return ButtonDesc{kind, command, 1, 0xFF7F0000, fFramed, 0};
}

#pragma once
#include <cstdint>
#include "platform/video/MGLTexture.h"
#include "platform/video/MScreenVertex.h"

class MDeviceManager;
class MGlyphRasteriser;

// A texture font: the printable ASCII characters of a face rasterised once
// into a texture, then drawn as textured quads.
class MFont {
public:
    struct Size {
        int32_t cx = 0;
        int32_t cy = 0;
    };
    // Texture coordinates of one character.
    struct GlyphRect {
        float left = 0, top = 0, right = 0, bottom = 0;
    };
    static constexpr uint32_t kBold = 1;
    static constexpr uint32_t kItalic = 2;
    static constexpr uint32_t kLinearFilter = 0x4; // DrawText flag
    static constexpr int32_t kFlushVertices = 294;
    static constexpr int32_t kMaxVertices = 300;

    MFont(const char* faceName, uint32_t size, uint32_t styleFlags);
    ~MFont();
    MFont(const MFont&) = delete;
    MFont& operator=(const MFont&) = delete;

    // Renders the glyph texture: 0 or E_FAIL (0x80004005).
    int32_t InitDeviceObjects(MDeviceManager* device);
    int32_t RestoreDeviceObjects();
    int32_t InvalidateDeviceObjects();
    int32_t DeleteDeviceObjects();

    // 0, or E_FAIL for a null text or size.
    int32_t GetTextExtent(const char* text, Size* size) const;
    // 0, or E_FAIL when the font cannot draw.
    int32_t DrawText(float x, float y, uint32_t colour, const char* text, uint32_t flags);
    // Lays the text out in quads from (x, y), handing each full batch and the
    // rest to flush(vertices, count).
    template <class Flush>
    void LayOut(float x, float y, uint32_t colour, const char* text, Flush&& flush) const;

    const char* GetFaceName() const { return szFaceName; }
    uint32_t GetTextureWidth() const { return nTextureWidth; }
    uint32_t GetTextureHeight() const { return nTextureHeight; }
    float GetTextScale() const { return fTextScale; }
    // The middle dot, Latin-1 0xB7, drawn from the slot of 127 (DEL).
    static constexpr uint8_t kMiddleDot = 0xB7;

    // Characters outside 32..126 but the middle dot have an empty rectangle.
    const GlyphRect& GetGlyph(char c) const;
    const MGLTexture& GetGLTexture() const { return glyphTexture; }

    // Texture side for a size in points: 256, 512 (21 to 40) or 1024 (41 up).
    static uint32_t TextureSide(uint32_t size);

private:
    // Bytes are unsigned whatever the signedness of char.
    static bool IsDrawable(char c) { return (uint8_t(c) >= 32 && uint8_t(c) < 127) || uint8_t(c) == kMiddleDot; }
    static uint32_t Slot(char c) { return uint8_t(c) == kMiddleDot ? 95u : uint32_t(uint8_t(c) - 32); }
    float RowHeight() const { return (rgGlyphs[0].bottom - rgGlyphs[0].top) * float(nTextureHeight); }
    void LayOutGlyphs(MGlyphRasteriser& rasteriser, uint8_t* coverage, int32_t side);
    void StoreCoverage(const uint8_t* coverage, int32_t side);
    void PutQuad(MScreenVertex* v, float x, float y, float w, float h, const GlyphRect& g,
                 uint32_t colour) const;

    char szFaceName[80];
    uint32_t nSize;
    uint32_t nStyle;
    MDeviceManager* pDevice = nullptr;
    MGLTexture glyphTexture;
    bool fRestored = false;
    uint32_t nTextureWidth = 0;
    uint32_t nTextureHeight = 0;
    float fTextScale = 1.0f;
    GlyphRect rgGlyphs[96];
};

template <class Flush>
void MFont::LayOut(float x, float y, uint32_t colour, const char* text, Flush&& flush) const
{
    MScreenVertex vertices[kMaxVertices];
    int32_t count = 0;
    float sx = x;
    float sy = y;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' || *p == '\r') {
            sx = x;
            sy += RowHeight();
            continue;
        }
        if (!IsDrawable(*p))
            continue;
        const GlyphRect& g = GetGlyph(*p);
        const float w = (g.right - g.left) * float(nTextureWidth) / fTextScale;
        const float h = (g.bottom - g.top) * float(nTextureHeight) / fTextScale;
        if (*p != ' ') {
            PutQuad(vertices + count, sx, sy, w, h, g, colour);
            count += 6;
            if (count > kFlushVertices) {
                flush(vertices, count);
                count = 0;
            }
        }
        sx += w;
    }
    flush(vertices, count);
}

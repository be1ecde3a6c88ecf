#include "platform/text/MFont.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include "platform/video/MDeviceManager.h"
#include "platform/video/MFormat.h"
#include "platform/text/MGlyphRasteriser.h"

namespace {

constexpr int32_t kFail = int32_t(0x80004005);
constexpr int32_t kLogPixelsY = 96;

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    return int32_t((int64_t(a) * b + c / 2) / c);
}

} // namespace

MFont::MFont(const char* faceName, uint32_t size, uint32_t styleFlags) : nSize(size), nStyle(styleFlags)
{
    std::strncpy(szFaceName, faceName ? faceName : "", sizeof(szFaceName) - 1);
    szFaceName[sizeof(szFaceName) - 1] = '\0';
}

MFont::~MFont()
{
    InvalidateDeviceObjects();
    DeleteDeviceObjects();
}

uint32_t MFont::TextureSide(uint32_t size)
{
    if (size >= 41)
        return 1024;
    return size >= 21 ? 512 : 256;
}

int32_t MFont::InitDeviceObjects(MDeviceManager* device)
{
    pDevice = device;
    fTextScale = 1.0f;
    int32_t side = int32_t(TextureSide(nSize));
    const int32_t maxWidth = device ? device->GetMaxTextureSize() : 0;
    if (maxWidth > 0 && maxWidth < side) {
        fTextScale = float(maxWidth) / float(side);
        side = maxWidth;
    }
    if (!glyphTexture.Create(uint32_t(side), uint32_t(side), kFormatA4R4G4B4))
        return kFail;
    nTextureWidth = nTextureHeight = uint32_t(side);
    MGlyphRasteriser rasteriser;
    const int32_t pixelHeight = MulDiv(int32_t(nSize), int32_t(float(kLogPixelsY) * fTextScale), 72);
    if (!rasteriser.Open(szFaceName, nStyle & kBold, nStyle & kItalic, pixelHeight)) {
        glyphTexture.Release();
        return kFail;
    }
    std::vector<uint8_t> coverage(size_t(side) * side, 0);
    LayOutGlyphs(rasteriser, coverage.data(), side);
    StoreCoverage(coverage.data(), side);
    return 0;
}

// Characters 32 to 126, then the middle dot, left to right in rows, one pixel apart.
void MFont::LayOutGlyphs(MGlyphRasteriser& rasteriser, uint8_t* coverage, int32_t side)
{
    const float s = float(side);
    int32_t x = 0, y = 0;
    for (int32_t code = 32; code < 128; ++code) {
        const char c = code == 127 ? char(kMiddleDot) : char(code);
        int32_t cx = 0, cy = 0;
        rasteriser.Measure(c, &cx, &cy);
        if (x + cx + 1 > side) {
            x = 0;
            y += cy + 1;
        }
        rasteriser.Draw(c, x, y, coverage, side);
        rgGlyphs[Slot(c)] = {float(x) / s, float(y) / s, float(x + cx) / s, float(y + cy) / s};
        x += cx + 1;
    }
}

// Coverage to white texels with a 4-bit alpha.
void MFont::StoreCoverage(const uint8_t* coverage, int32_t side)
{
    uint8_t* bits = glyphTexture.GetBits();
    const int32_t pitch = glyphTexture.GetPitch();
    for (int32_t y = 0; y < side; ++y) {
        uint16_t* row = reinterpret_cast<uint16_t*>(bits + size_t(y) * size_t(pitch));
        for (int32_t x = 0; x < side; ++x) {
            const uint16_t a = coverage[size_t(y) * size_t(side) + size_t(x)] >> 4;
            row[x] = a ? uint16_t(a << 12 | 0x0FFF) : 0;
        }
    }
    glyphTexture.Upload();
}

int32_t MFont::RestoreDeviceObjects()
{
    if (!pDevice)
        return kFail;
    fRestored = true;
    return 0;
}

int32_t MFont::InvalidateDeviceObjects()
{
    fRestored = false;
    return 0;
}

int32_t MFont::DeleteDeviceObjects()
{
    glyphTexture.Release();
    pDevice = nullptr;
    return 0;
}

const MFont::GlyphRect& MFont::GetGlyph(char c) const
{
    static constexpr GlyphRect kNoGlyph;
    return IsDrawable(c) ? rgGlyphs[Slot(c)] : kNoGlyph;
}

int32_t MFont::GetTextExtent(const char* text, Size* size) const
{
    if (!text || !size)
        return kFail;
    const float rowHeight = RowHeight();
    float height = rowHeight, width = 0, rowWidth = 0;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' || *p == '\r') {
            height += rowHeight;
            rowWidth = 0;
            continue;
        }
        if (!IsDrawable(*p))
            continue;
        const GlyphRect& g = GetGlyph(*p);
        rowWidth += (g.right - g.left) * float(nTextureWidth);
        width = std::max(width, rowWidth);
    }
    size->cx = int32_t(width);
    size->cy = int32_t(height);
    return 0;
}

int32_t MFont::DrawText(float x, float y, uint32_t colour, const char* text, uint32_t flags)
{
    if (!pDevice || !fRestored || !glyphTexture.IsCreated() || !text)
        return kFail;
    const bool linear = flags & kLinearFilter;
    int32_t result = 0;
    LayOut(x, y, colour, text, [&](const MScreenVertex* vertices, int32_t count) {
        if (count > 0 && result == 0)
            result = pDevice->DrawScreenTriangles(glyphTexture, vertices, uint32_t(count), linear);
    });
    return result == 0 ? 0 : kFail;
}

// Two triangles over the cell; D3D's half-pixel shift is our pixel-edge origin.
void MFont::PutQuad(MScreenVertex* v, float x, float y, float w, float h, const GlyphRect& g,
                    uint32_t colour) const
{
    v[0] = {x, y + h, g.left, g.bottom, colour};
    v[1] = {x, y, g.left, g.top, colour};
    v[2] = {x + w, y + h, g.right, g.bottom, colour};
    v[3] = {x + w, y, g.right, g.top, colour};
    v[4] = v[2];
    v[5] = v[1];
}

#pragma once
#include <cstdint>
#include "platform/video/MGLProgram.h"
#include "platform/video/MScreenVertex.h"

class MGLTexture;

// Alpha-blended textured quads in back-buffer pixels, gathered and drawn
// together while they share a texture; anything else drawn flushes first.
class MSpriteBatch {
public:
    static constexpr uint32_t kMaxQuads = 256;

    MSpriteBatch() = default;
    ~MSpriteBatch();
    MSpriteBatch(const MSpriteBatch&) = delete;
    MSpriteBatch& operator=(const MSpriteBatch&) = delete;

    bool Create();
    void SetScreenSize(int32_t width, int32_t height);
    void Begin();
    void End();
    bool IsOpen() const { return fOpen; }
    // dest: x0, y0, x1, y1; uv: u0, v0, u1, v1; colour ARGB.
    void Add(const MGLTexture& texture, const float dest[4], const float uv[4], uint32_t colour);
    void Flush();
    // Flushes, then draws the triangles at once, dropping fragments of alpha
    // below alphaRef (0 to 255).
    void DrawTriangles(const MGLTexture& texture, const MScreenVertex* vertices, uint32_t count, bool linear,
                       int32_t alphaRef);

private:
    void Draw(uint32_t texture, const MScreenVertex* vertices, uint32_t count, uint32_t sampler,
              int32_t alphaRef);

    MGLProgram program;
    int32_t nScreenUniform = -1;
    int32_t nAlphaRefUniform = -1;
    int32_t nTextureUniform = -1;
    uint32_t nVao = 0;
    uint32_t nVbo = 0;
    uint32_t nSpriteSampler = 0;
    uint32_t nPointSampler = 0;
    uint32_t nLinearSampler = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    bool fOpen = false;
    uint32_t nTexture = 0;
    uint32_t nCount = 0;
    MScreenVertex rgVertices[kMaxQuads * 6];
};

#include "platform/video/MRenderTarget.h"

#include <SDL.h>
#include <cmath>
#include <epoxy/gl.h>
#include "base/Rect.h"
#include "platform/video/MFormat.h"

namespace {

struct ColourStorage {
    GLint internal;
    GLenum format;
    GLenum type;
};

// The 8-bit formats ask for an unsized RGBA with BGRA texels, which a
// software renderer keeps as BGRA, the window's own order: the scaled
// present then runs on its fast path.
bool Storage(int32_t format, ColourStorage* out)
{
    switch (format) {
    case kFormatA8R8G8B8:
    case kFormatX8R8G8B8:
        *out = {GL_RGBA, GL_BGRA, GL_UNSIGNED_BYTE};
        return true;
    case kFormatA4R4G4B4:
    case kFormatX4R4G4B4:
        *out = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
        return true;
    case kFormatA1R5G5B5:
    case kFormatX1R5G5B5:
        *out = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
        return true;
    case kFormatR5G6B5:
        *out = {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
        return true;
    default:
        return false;
    }
}

void SetClearColour(uint32_t argb)
{
    glClearColor(float((argb >> 16) & 0xFF) / 255, float((argb >> 8) & 0xFF) / 255, float(argb & 0xFF) / 255,
                 float(argb >> 24) / 255);
}

GLuint MakeColourTexture()
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

} // namespace

MRenderTarget::~MRenderTarget()
{
    if (SDL_GL_GetCurrentContext())
        Release();
}

void MRenderTarget::Release()
{
    glDeleteFramebuffers(1, &nFramebuffer);
    glDeleteTextures(1, &nColour);
    glDeleteRenderbuffers(1, &nDepthStencil);
    nFramebuffer = nColour = nDepthStencil = 0;
}

bool MRenderTarget::Create(int32_t width, int32_t height, int32_t format)
{
    Release();
    ColourStorage storage{};
    if (!Storage(format, &storage) || width <= 0 || height <= 0 || !quad.Create())
        return false;
    nFormat = format;
    glGenFramebuffers(1, &nFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
    nColour = MakeColourTexture();
    glGenRenderbuffers(1, &nDepthStencil);
    if (!Allocate(width, height)) {
        Release();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return false;
    }
    nWidth = width;
    nHeight = height;
    placement = MBackBufferPlacement({width, height}, {width, height}, {width, height});
    return true;
}

bool MRenderTarget::Allocate(int32_t w, int32_t h)
{
    ColourStorage storage{};
    Storage(nFormat, &storage);
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
    glBindTexture(GL_TEXTURE_2D, nColour);
    glTexImage2D(GL_TEXTURE_2D, 0, storage.internal, w, h, 0, storage.format, storage.type, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, nColour, 0);
    glBindRenderbuffer(GL_RENDERBUFFER, nDepthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, nDepthStencil);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR)
        return false;
    nDrawnWidth = w;
    nDrawnHeight = h;
    return true;
}

void MRenderTarget::Place(const MBackBufferPlacement& where, bool atOutputSize)
{
    placement = where;
    int32_t x, y, w, h;
    placement.PresentRect(&x, &y, &w, &h);
    if (!atOutputSize) {
        w = nWidth;
        h = nHeight;
    }
    if ((w != nDrawnWidth || h != nDrawnHeight) && !Allocate(w, h))
        Allocate(nWidth, nHeight);
}

void MRenderTarget::Bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
    glViewport(0, 0, nDrawnWidth, nDrawnHeight);
}

// Edges are mapped, not sizes, so that rectangles that meet still meet.
void MRenderTarget::ToDrawn(const Rect& r, int32_t* x, int32_t* y, int32_t* w, int32_t* h) const
{
    auto edgeX = [this](int32_t px) { return int32_t(std::lround(double(px) * nDrawnWidth / nWidth)); };
    auto edgeY = [this](int32_t py) { return int32_t(std::lround(double(py) * nDrawnHeight / nHeight)); };
    *x = edgeX(r.left);
    *w = edgeX(r.right) - *x;
    *h = edgeY(r.bottom) - edgeY(r.top);
    *y = nDrawnHeight - edgeY(r.bottom);
}

void MRenderTarget::Clear(uint32_t colour) const
{
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    SetClearColour(colour);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void MRenderTarget::Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour,
                         double depth) const
{
    const Rect r = Rect{left, top, right, bottom}.Intersection(Rect{0, 0, nWidth, nHeight});
    if (r.IsEmpty())
        return;
    int32_t x, y, w, h;
    ToDrawn(r, &x, &y, &w, &h);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    SetClearColour(colour);
    glClearDepth(depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void MRenderTarget::BlackenBars() const
{
    Rect bars[2];
    const int32_t count = placement.Margins(bars);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    for (int32_t i = 0; i < count; ++i) {
        glScissor(bars[i].left, bars[i].top, bars[i].Width(), bars[i].Height());
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

void MRenderTarget::Present() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    BlackenBars();
    int32_t x, y, w, h;
    placement.PresentRect(&x, &y, &w, &h);
    quad.Draw(nColour, w % nDrawnWidth == 0 && h % nDrawnHeight == 0, x, y, w, h);
    Bind();
}

bool MRenderTarget::CopyFrom(uint32_t texture, const Rect& source, int32_t x, int32_t y) const
{
    GLuint read = 0;
    glGenFramebuffers(1, &read);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool complete = glCheckFramebufferStatus(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) {
        int32_t dx, dy, dw, dh;
        ToDrawn(Rect{x, y, x + source.Width(), y + source.Height()}, &dx, &dy, &dw, &dh);
        const bool same = dw == source.Width() && dh == source.Height();
        // Texture rows are stored top first, the target's rows bottom first.
        glDisable(GL_SCISSOR_TEST);
        glBlitFramebuffer(source.left, source.top, source.right, source.bottom, dx, dy + dh, dx + dw, dy,
                          GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
    }
    glDeleteFramebuffers(1, &read);
    Bind();
    return complete;
}

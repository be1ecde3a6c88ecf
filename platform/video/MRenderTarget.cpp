#include "platform/video/MRenderTarget.h"

#include <SDL.h>
#include <algorithm>
#include <epoxy/gl.h>
#include "base/Rect.h"
#include "platform/video/MFormat.h"

namespace {

GLenum ColourFormat(int32_t format)
{
    switch (format) {
    case kFormatA8R8G8B8:
    case kFormatX8R8G8B8:
        return GL_RGBA8;
    case kFormatA4R4G4B4:
    case kFormatX4R4G4B4:
        return GL_RGBA4;
    case kFormatA1R5G5B5:
    case kFormatX1R5G5B5:
        return GL_RGB5_A1;
    case kFormatR5G6B5:
        return GL_RGB565;
    default:
        return 0;
    }
}

void SetClearColour(uint32_t argb)
{
    glClearColor(float((argb >> 16) & 0xFF) / 255, float((argb >> 8) & 0xFF) / 255, float(argb & 0xFF) / 255,
                 float(argb >> 24) / 255);
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
    glDeleteRenderbuffers(1, &nColour);
    glDeleteRenderbuffers(1, &nDepthStencil);
    nFramebuffer = nColour = nDepthStencil = 0;
}

bool MRenderTarget::Create(int32_t width, int32_t height, int32_t format)
{
    Release();
    const GLenum colour = ColourFormat(format);
    if (colour == 0 || width <= 0 || height <= 0)
        return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenFramebuffers(1, &nFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
    glGenRenderbuffers(1, &nColour);
    glBindRenderbuffer(GL_RENDERBUFFER, nColour);
    glRenderbufferStorage(GL_RENDERBUFFER, colour, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, nColour);
    glGenRenderbuffers(1, &nDepthStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, nDepthStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, nDepthStencil);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!complete || glGetError() != GL_NO_ERROR) {
        Release();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return false;
    }
    nWidth = width;
    nHeight = height;
    return true;
}

void MRenderTarget::Bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
    glViewport(0, 0, nWidth, nHeight);
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
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, nWidth);
    bottom = std::min(bottom, nHeight);
    if (right <= left || bottom <= top)
        return;
    glEnable(GL_SCISSOR_TEST);
    glScissor(left, nHeight - bottom, right - left, bottom - top);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    SetClearColour(colour);
    glClearDepth(depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void MRenderTarget::Present(int32_t x, int32_t y, int32_t w, int32_t h, bool fMargins) const
{
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    if (fMargins) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, nFramebuffer);
    const bool same = w == nWidth && h == nHeight;
    glBlitFramebuffer(0, 0, nWidth, nHeight, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, nFramebuffer);
}

bool MRenderTarget::CopyFrom(uint32_t texture, const Rect& source, int32_t x, int32_t y) const
{
    GLuint read = 0;
    glGenFramebuffers(1, &read);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool complete = glCheckFramebufferStatus(GL_READ_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) {
        // Texture rows are stored top first, the target's rows bottom first.
        const int32_t w = source.Width();
        const int32_t h = source.Height();
        glBlitFramebuffer(source.left, source.top, source.right, source.bottom, x, nHeight - y, x + w,
                          nHeight - y - h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    glDeleteFramebuffers(1, &read);
    Bind();
    return complete;
}

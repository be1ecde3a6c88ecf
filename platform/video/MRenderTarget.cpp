#include "platform/video/MRenderTarget.h"

#include <algorithm>
#include <epoxy/gl.h>
#include "base/Rect.h"
#include "platform/video/MFormat.h"

namespace {

// Bits of red the window needs for a colour format; 0 for unknown formats.
int32_t RedBits(int32_t format)
{
    switch (format) {
    case kFormatA8R8G8B8:
    case kFormatX8R8G8B8:
        return 8;
    case kFormatR5G6B5:
    case kFormatA1R5G5B5:
    case kFormatX1R5G5B5:
        return 5;
    case kFormatA4R4G4B4:
    case kFormatX4R4G4B4:
        return 4;
    default:
        return 0;
    }
}

GLint WindowBits(GLenum attachment, GLenum what)
{
    GLint bits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, what, &bits);
    return bits;
}

void SetClearColour(uint32_t argb)
{
    glClearColor(float((argb >> 16) & 0xFF) / 255, float((argb >> 8) & 0xFF) / 255, float(argb & 0xFF) / 255,
                 float(argb >> 24) / 255);
}

void AllMasksOn()
{
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
}

} // namespace

bool MRenderTarget::Create(int32_t width, int32_t height, int32_t format)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const int32_t red = RedBits(format);
    if (red == 0 || width <= 0 || height <= 0)
        return false;
    if (WindowBits(GL_BACK_LEFT, GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE) < red ||
        WindowBits(GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE) < 24 ||
        WindowBits(GL_STENCIL, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE) < 8)
        return false;
    nWidth = width;
    nHeight = height;
    placement = MBackBufferPlacement({width, height}, {width, height}, {width, height});
    return true;
}

void MRenderTarget::Bind() const
{
    int32_t x, y, w, h;
    placement.PresentRect(&x, &y, &w, &h);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(x, y, w, h);
}

void MRenderTarget::Scissor(const Rect& r) const
{
    int32_t x, y, w, h;
    placement.ToDrawable(r, &x, &y, &w, &h);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
}

// A whole-window clear is the cheap one; the bars are blackened after it.
void MRenderTarget::Clear(uint32_t colour) const
{
    glDisable(GL_SCISSOR_TEST);
    AllMasksOn();
    SetClearColour(colour);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    Rect bars[2];
    const int32_t count = placement.Margins(bars);
    if (count == 0)
        return;
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    for (int32_t i = 0; i < count; ++i) {
        glScissor(bars[i].left, bars[i].top, bars[i].Width(), bars[i].Height());
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

void MRenderTarget::Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour,
                         double depth) const
{
    const Rect r = Rect{left, top, right, bottom}.Intersection(Rect{0, 0, nWidth, nHeight});
    if (r.IsEmpty())
        return;
    Scissor(r);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    SetClearColour(colour);
    glClearDepth(depth);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
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
        placement.ToDrawable(Rect{x, y, x + source.Width(), y + source.Height()}, &dx, &dy, &dw, &dh);
        const bool same = dw == source.Width() && dh == source.Height();
        // Texture rows are stored top first, the window's rows bottom first.
        glDisable(GL_SCISSOR_TEST);
        glBlitFramebuffer(source.left, source.top, source.right, source.bottom, dx, dy + dh, dx + dw, dy,
                          GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
    }
    glDeleteFramebuffers(1, &read);
    Bind();
    return complete;
}

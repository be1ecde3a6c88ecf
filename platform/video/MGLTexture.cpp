#include "platform/video/MGLTexture.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include "platform/video/MFormat.h"

namespace {

struct GLFormat {
    GLint internal;
    GLenum format;
    GLenum type;
    bool opaque; // the X formats ignore their top bits
};

bool LookUp(int32_t format, GLFormat* out)
{
    switch (format) {
    case kFormatA8R8G8B8: *out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, false}; return true;
    case kFormatX8R8G8B8: *out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, true}; return true;
    case kFormatA4R4G4B4: *out = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, false}; return true;
    case kFormatX4R4G4B4: *out = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true}; return true;
    case kFormatA1R5G5B5: *out = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, false}; return true;
    case kFormatX1R5G5B5: *out = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true}; return true;
    case kFormatR5G6B5: *out = {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, true}; return true;
    default: return false;
    }
}

bool HasContext()
{
    return SDL_GL_GetCurrentContext() != nullptr;
}

} // namespace

MGLTexture::~MGLTexture()
{
    Release();
}

int32_t MGLTexture::BytesPerTexel(int32_t format)
{
    GLFormat gl;
    if (!LookUp(format, &gl))
        return 0;
    return gl.type == GL_UNSIGNED_INT_8_8_8_8_REV ? 4 : 2;
}

bool MGLTexture::Create(uint32_t width, uint32_t height, int32_t format)
{
    Release();
    GLFormat gl;
    if (!LookUp(format, &gl) || !HasContext() || width == 0 || height == 0)
        return false;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (width > uint32_t(largest) || height > uint32_t(largest))
        return false;
    bits.assign(size_t(width) * height * BytesPerTexel(format), 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenTextures(1, &nName);
    glBindTexture(GL_TEXTURE_2D, nName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, gl.internal, GLsizei(width), GLsizei(height), 0, gl.format, gl.type, bits.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (gl.opaque)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    if (glGetError() != GL_NO_ERROR) {
        Release();
        return false;
    }
    nWidth = width;
    nHeight = height;
    nFormat = format;
    return true;
}

void MGLTexture::Release()
{
    // Textures may outlive the context; its destruction freed them already.
    if (nName != 0 && HasContext())
        glDeleteTextures(1, &nName);
    nName = 0;
    nWidth = nHeight = 0;
    nFormat = 0;
    bits.clear();
    bits.shrink_to_fit();
}

void MGLTexture::Upload()
{
    GLFormat gl;
    if (nName == 0 || !HasContext() || !LookUp(nFormat, &gl))
        return;
    glBindTexture(GL_TEXTURE_2D, nName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(nWidth), GLsizei(nHeight), gl.format, gl.type, bits.data());
}

#include "platform/video/MGLContext.h"

#include <SDL.h>
#include <cstring>
#include <initializer_list>
#include <epoxy/gl.h>
#include "platform/video/MFormat.h"

namespace {

// The back-buffer format a windowed device takes from the desktop.
int32_t DisplayFormat(uint32_t sdlFormat)
{
    switch (sdlFormat) {
    case SDL_PIXELFORMAT_RGB565: return kFormatR5G6B5;
    case SDL_PIXELFORMAT_RGB555: return kFormatX1R5G5B5;
    default: return SDL_BYTESPERPIXEL(sdlFormat) == 4 ? kFormatX8R8G8B8 : kFormatUnknown;
    }
}

bool DesktopMode(bool video, SDL_DisplayMode* mode)
{
    return video && SDL_GetDesktopDisplayMode(0, mode) == 0;
}

} // namespace

MGLContext::MGLContext(SDL_Window* window) : pWindow(window)
{
    fVideo = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (pWindow && fVideo)
        Create();
}

MGLContext::~MGLContext()
{
    Release();
    if (fVideo)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void MGLContext::PrepareWindowAttributes()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Colour only: the scene draws with its own depth and stencil off
    // screen, and a window without them lets the present take the
    // software renderer's fast path.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

uint32_t MGLContext::WindowFlags()
{
    return SDL_WINDOW_OPENGL;
}

// A 3.3 core context on the window, or none.
void MGLContext::Create()
{
    PrepareWindowAttributes();
    pContext = SDL_GL_CreateContext(pWindow);
    if (pContext && epoxy_gl_version() < 33) {
        SDL_GL_DeleteContext(pContext);
        pContext = nullptr;
    }
}

void MGLContext::Release()
{
    if (pContext) {
        SDL_GL_MakeCurrent(pWindow, nullptr);
        SDL_GL_DeleteContext(pContext);
    }
    pContext = nullptr;
    pWindow = nullptr;
}

int32_t MGLContext::CanRunWindowed() const
{
    int32_t format = kFormatUnknown;
    return GetDisplayFormat(&format) && FormatDepth(format) != 0;
}

int32_t MGLContext::IsDisplayAtLeast(int32_t width, int32_t height) const
{
    SDL_DisplayMode mode;
    return DesktopMode(fVideo, &mode) && mode.w >= width && mode.h >= height;
}

bool MGLContext::GetDisplayFormat(int32_t* format) const
{
    SDL_DisplayMode mode;
    if (!DesktopMode(fVideo, &mode))
        return false;
    *format = DisplayFormat(mode.format);
    return true;
}

int32_t MGLContext::GetOpenGLVersion() const
{
    if (pContext)
        return epoxy_gl_version();
    if (!fVideo)
        return 0;
    PrepareWindowAttributes();
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!probe)
        return 0;
    SDL_GLContext context = SDL_GL_CreateContext(probe);
    const int32_t version = context ? epoxy_gl_version() : 0;
    if (context) {
        SDL_GL_MakeCurrent(probe, nullptr);
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
    return version;
}

bool MGLContext::IsSoftware() const
{
    const auto* renderer = pContext ? reinterpret_cast<const char*>(glGetString(GL_RENDERER)) : nullptr;
    if (!renderer)
        return false;
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (std::strstr(renderer, name))
            return true;
    return false;
}

bool MGLContext::MakeCurrent() const
{
    return pContext && SDL_GL_MakeCurrent(pWindow, pContext) == 0;
}

void MGLContext::Swap() const
{
    SDL_GL_SwapWindow(pWindow);
}

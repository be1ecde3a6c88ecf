#include "platform/video/MDeviceManager.h"

#include <SDL.h>
#include <epoxy/gl.h>
#include "base/Rect.h"
#include "base/Result.h"
#include "platform/video/MBackBufferPlacement.h"
#include "platform/window/MFrameStats.h"
#include "platform/mesh/MMeshShader.h"
#include "platform/video/MRenderTarget.h"
#include "platform/video/MSpriteBatch.h"
#include "platform/video/MTexture.h"

namespace {

MDeviceManager* g_pDeviceManager = nullptr;

constexpr int32_t kFail = int32_t(0x80004005);
constexpr uint32_t kFrameColour = 0xFF0000FF; // opaque blue
constexpr double kFillDepth = 0.9;

} // namespace

const int32_t MDeviceManager::kFullScreenFormats[7] = {kFormatA8R8G8B8, kFormatX8R8G8B8, kFormatA4R4G4B4,
                                                       kFormatA1R5G5B5, kFormatR5G6B5,   kFormatX1R5G5B5,
                                                       kFormatX4R4G4B4};

MDeviceManager::MDeviceManager(SDL_Window* window) : context(window) {}

MDeviceManager::~MDeviceManager()
{
    Release();
}

void MDeviceManager::ReleaseWindow(SDL_Window* window)
{
    if (window && window == context.GetWindow())
        Release();
}

// The GL objects go with the context they were made in.
void MDeviceManager::Release()
{
    context.MakeCurrent();
    pSpriteBatch.reset();
    pMeshShader.reset();
    pBackBuffer.reset();
    nBackBufferFormat = kFormatUnknown;
    nBackBufferWidth = nBackBufferHeight = 0;
    context.Release();
}

int32_t MDeviceManager::CreateDevice(int32_t fullScreen, int32_t width, int32_t height)
{
    nBackBufferFormat = kFormatUnknown;
    int32_t windowedFormat = kFormatUnknown;
    if (!context.GetDisplayFormat(&windowedFormat))
        return Result::kDisplayModeFailed;
    if (!context.MakeCurrent())
        return Result::kDeviceFailed;
    pBackBuffer = std::make_unique<MRenderTarget>();
    if (fullScreen) {
        width &= 0xFFFF;
        height &= 0xFFFF;
    }
    const int32_t* formats = fullScreen ? kFullScreenFormats : &windowedFormat;
    const int32_t format = FirstAcceptedFormat(formats, fullScreen ? 7 : 1, [&](int32_t f) {
        return pBackBuffer->Create(width, height, f);
    });
    if (format == kFormatUnknown)
        return Result::kDeviceFailed;
    nBackBufferFormat = format;
    fSoftware = context.IsSoftware();
    nBackBufferWidth = width;
    nBackBufferHeight = height;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &nMaxTextureSize);
    pMeshShader = std::make_unique<MMeshShader>();
    pSpriteBatch = std::make_unique<MSpriteBatch>();
    if (!pMeshShader->Create() || !pSpriteBatch->Create()) {
        nBackBufferFormat = kFormatUnknown;
        return Result::kSpriteCreateFailed;
    }
    pSpriteBatch->SetScreenSize(width, height);
    renderStates.SetDefaults(*pMeshShader);
    transforms.SetDefaultProjection();
    SDL_GL_SetSwapInterval(1);
    return 0;
}

int32_t MDeviceManager::BeginFrame()
{
    if (!HasDevice())
        return Result::kSceneFailed;
    pBackBuffer->Place(Placement(), !fSoftware);
    pBackBuffer->Bind();
    pBackBuffer->Clear(kFrameColour);
    renderStates.BeginFrame();
    return 0;
}

int32_t MDeviceManager::EndFrame()
{
    if (!HasDevice())
        return 21;
    if (pSpriteBatch->IsOpen())
        pSpriteBatch->End();
    // With the frame report on, the drawing is finished first, so that the
    // present part holds only the copy to the window.
    if (MFrameStats::Get())
        glFinish();
    const MFrameStats::PartTimer timer(MFrameStats::Present);
    pBackBuffer->Present();
    context.Swap();
    return 0;
}

int32_t MDeviceManager::BeginSprites()
{
    if (!HasDevice() || pSpriteBatch->IsOpen())
        return Result::kSceneFailed;
    pSpriteBatch->Begin();
    return 0;
}

int32_t MDeviceManager::EndSprites()
{
    if (!HasDevice() || !pSpriteBatch->IsOpen())
        return 21;
    pSpriteBatch->End();
    return 0;
}

MBackBufferPlacement MDeviceManager::Placement() const
{
    return MBackBufferPlacement::OfWindow(context.GetWindow(), nBackBufferWidth, nBackBufferHeight);
}

void MDeviceManager::WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const
{
    *bx = x;
    *by = y;
    if (HasDevice())
        Placement().WindowToBackBuffer(x, y, bx, by);
}

void MDeviceManager::BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const
{
    *x = bx;
    *y = by;
    if (HasDevice())
        Placement().BackBufferToWindow(bx, by, x, y);
}

void MDeviceManager::SetDeviceCursorFromClass()
{
    if (!HasDevice())
        return;
    SDL_SetCursor(SDL_GetDefaultCursor());
    fCursorReady = 1;
}

void MDeviceManager::ShowDeviceCursor(int32_t show)
{
    if (HasDevice() && fCursorReady)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void MDeviceManager::SetDeviceCursorPosition(int32_t x, int32_t y)
{
    if (HasDevice())
        SDL_WarpMouseGlobal(x, y);
}

void MDeviceManager::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour)
{
    if (!HasDevice())
        return;
    pSpriteBatch->Flush();
    pBackBuffer->Fill(left, top, right, bottom, colour, kFillDepth);
}

void MDeviceManager::SetMaterial(const MMaterial& material)
{
    if (pMeshShader)
        pMeshShader->SetMaterial(material);
}

void MDeviceManager::SetTexture(const MTexture* texture)
{
    if (pMeshShader)
        pMeshShader->SetTexture(texture && texture->HasTexture() ? texture->GetGLTexture().GetName() : 0);
}

uint32_t MDeviceManager::CreateVertexBuffer(const MVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                                            uint32_t indexCount)
{
    return HasDevice() ? pMeshShader->CreateBuffer(vertices, vertexCount, indices, indexCount) : 0;
}

void MDeviceManager::DeleteVertexBuffer(uint32_t buffer)
{
    if (HasDevice())
        pMeshShader->DeleteBuffer(buffer);
}

void MDeviceManager::DrawTriangles(uint32_t buffer, uint32_t firstIndex, uint32_t indexCount)
{
    if (!HasDevice())
        return;
    pSpriteBatch->Flush();
    renderStates.Apply();
    pMeshShader->Draw(buffer, firstIndex, indexCount, transforms.World(), transforms.View(), transforms.Projection());
}

int32_t MDeviceManager::DrawSprite(const MGLTexture& texture, const float dest[4], const float uv[4],
                                   uint32_t colour)
{
    if (!HasDevice() || !pSpriteBatch->IsOpen() || !texture.IsCreated())
        return Result::kSpriteDrawFailed;
    pSpriteBatch->Add(texture, dest, uv, colour);
    return 0;
}

int32_t MDeviceManager::DrawScreenTriangles(const MGLTexture& texture, const MScreenVertex* vertices,
                                            uint32_t count, bool linear)
{
    if (!HasDevice() || !texture.IsCreated())
        return kFail;
    pSpriteBatch->DrawTriangles(texture, vertices, count, linear, 8);
    return 0;
}

MDeviceManager* GetDeviceManager()
{
    return GetDeviceManager(nullptr);
}

MDeviceManager* GetDeviceManager(SDL_Window* window)
{
    if (!g_pDeviceManager)
        g_pDeviceManager = new MDeviceManager(window);
    return g_pDeviceManager;
}

void DestroyDeviceManager()
{
    delete g_pDeviceManager;
    g_pDeviceManager = nullptr;
}

void ReleaseDeviceWindow(SDL_Window* window)
{
    if (g_pDeviceManager)
        g_pDeviceManager->ReleaseWindow(window);
}

int32_t MDeviceManager::CopyToBackBuffer(const MGLTexture& surface, const Rect& source, int32_t x, int32_t y)
{
    if (!HasDevice())
        return Result::kBackBufferFailed;
    if (!surface.IsCreated() || source.IsEmpty())
        return Result::kBackBufferCopyFailed;
    pSpriteBatch->Flush();
    return pBackBuffer->CopyFrom(surface.GetName(), source, x, y) ? 0 : Result::kBackBufferCopyFailed;
}

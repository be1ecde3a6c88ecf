#pragma once
#include <cstdint>
#include <memory>
#include "base/BDevice.h"
#include "platform/video/MFormat.h"
#include "platform/video/MGLContext.h"
#include "platform/mesh/MMaterial.h"
#include "platform/video/MScreenVertex.h"
#include "platform/mesh/MVertex.h"
#include "platform/video/MRenderStates.h"
#include "platform/video/MTransforms.h"

struct Rect;
struct SDL_Window;
class MBackBufferPlacement;
class MGLTexture;
class MMeshShader;
class MRenderTarget;
class MSpriteBatch;
class MTexture;

// The graphics device: an OpenGL 3.3 core context on the game window, a
// back buffer of a fixed size shown scaled in the window with its aspect
// kept (drawn at its own size on a software renderer, where scaling the
// finished picture is the cheaper, else at the size it shows), the lit mesh
// pipeline and the sprite batch.
// Matrices are row-major, row vectors, left-handed.
class MDeviceManager : public BDevice {
public:
    explicit MDeviceManager(SDL_Window* window);
    ~MDeviceManager() override;
    MDeviceManager(const MDeviceManager&) = delete;
    MDeviceManager& operator=(const MDeviceManager&) = delete;

    // Call before creating the game window; the window needs WindowFlags().
    static void PrepareWindowAttributes() { MGLContext::PrepareWindowAttributes(); }
    static uint32_t WindowFlags() { return MGLContext::WindowFlags(); }

    // Display questions; all answer 0 when video is not available.
    int32_t CanRunWindowed() const { return context.CanRunWindowed(); }
    int32_t IsDisplayAtLeast(int32_t width, int32_t height) const { return context.IsDisplayAtLeast(width, height); }
    // 10 * major + minor of the OpenGL core context this machine gives (33 for
    // 3.3), 0 when none can be made.
    int32_t GetOpenGLVersion() const { return context.GetOpenGLVersion(); }

    // A back buffer of width x height, full screen or not; 0, 13 (display
    // query failed), 14 (no device) or 32 (no sprite batch).
    int32_t CreateDevice(int32_t fullScreen, int32_t width, int32_t height);
    bool HasDevice() const { return nBackBufferFormat != kFormatUnknown; }
    // When the device is on this window: its GL objects and context go and
    // the window is forgotten, so that the window can be destroyed. The
    // display questions are still answered; CreateDevice answers 14.
    void ReleaseWindow(SDL_Window* window);

    int32_t BeginFrame() override;
    int32_t EndFrame() override;
    int32_t BeginSprites() override;
    int32_t EndSprites() override;
    int32_t GetBackBufferWidth() const override { return nBackBufferWidth; }
    int32_t GetBackBufferHeight() const override { return nBackBufferHeight; }
    int32_t GetBitsPerPixel() const override { return FormatDepth(nBackBufferFormat); }
    int32_t GetBackBufferFormat() const { return nBackBufferFormat; }
    int32_t GetMaxTextureSize() const { return nMaxTextureSize; }

    // Back-buffer formats tried for a full-screen device, in order.
    static const int32_t kFullScreenFormats[7];

    // Device cursor: the system cursor on this platform.
    void SetDeviceCursorFromClass();
    void ShowDeviceCursor(int32_t show);
    // Screen coordinates.
    void SetDeviceCursorPosition(int32_t x, int32_t y);
    // Window points to back-buffer pixels and back, through the scaling.
    void WindowToBackBuffer(int32_t x, int32_t y, int32_t* bx, int32_t* by) const;
    void BackBufferToWindow(int32_t bx, int32_t by, int32_t* x, int32_t* y) const;

    void SaveWorldTransform() { transforms.SaveWorld(); }
    void RestoreWorldTransform() { transforms.RestoreWorld(); }
    void SetWorldTransform(const MMatrix& matrix) { transforms.Set(kTransformWorld, matrix); }
    // A slot of MTransformState; others are ignored.
    void SetTransform(int32_t state, const MMatrix& matrix) { transforms.Set(state, matrix); }
    void GetTransform(int32_t state, MMatrix* matrix) const { transforms.Get(state, matrix); }

    // Colour (ARGB) and depth 0.9 inside a back-buffer rectangle, clipped to
    // the back buffer, over what is drawn so far.
    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour);

    // Mesh pipeline.
    void SetRenderState(MRenderState state, bool on) { renderStates.Set(state, on, pMeshShader.get()); }
    void SetMaterial(const MMaterial& material);
    void SetTexture(const MTexture* texture); // null: untextured
    // Starts a new shadow: every pixel takes one more stencilled draw. A new
    // mark per shadow; the buffer is cleared only when the marks run out.
    void ClearStencil()
    {
        if (HasDevice())
            renderStates.NextStencilMark();
    }
    // A static indexed triangle list; 0 when it cannot be made.
    uint32_t CreateVertexBuffer(const MVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                                uint32_t indexCount);
    void DeleteVertexBuffer(uint32_t buffer);
    void DrawTriangles(uint32_t buffer, uint32_t firstIndex, uint32_t indexCount);

    // Sprite batch: a texture rectangle (x0, y0, x1, y1 in pixels; u0, v0, u1,
    // v1) tinted by an ARGB colour. 0, or 36 outside BeginSprites/EndSprites.
    int32_t DrawSprite(const MGLTexture& texture, const float dest[4], const float uv[4], uint32_t colour);
    // Alpha-tested (alpha >= 8) triangles in screen space, drawn at once over
    // what the batch holds; point or linear sampling. 0, or E_FAIL (0x80004005).
    int32_t DrawScreenTriangles(const MGLTexture& texture, const MScreenVertex* vertices, uint32_t count,
                                bool linear);

    // Plain copy of a surface's source rectangle (top-left origin) to the
    // back-buffer point (x, y): 0, 16 (no back buffer) or 37.
    int32_t CopyToBackBuffer(const MGLTexture& surface, const Rect& source, int32_t x, int32_t y);

private:
    MBackBufferPlacement Placement() const;
    void Release();

    MGLContext context;
    std::unique_ptr<MRenderTarget> pBackBuffer;
    std::unique_ptr<MMeshShader> pMeshShader;
    std::unique_ptr<MSpriteBatch> pSpriteBatch;
    MTransforms transforms;
    int32_t nBackBufferFormat = kFormatUnknown;
    int32_t nBackBufferWidth = 0;
    int32_t nBackBufferHeight = 0;
    int32_t nMaxTextureSize = 0;
    int32_t fCursorReady = 0;
    bool fSoftware = false;
    MRenderStates renderStates;
};

// The process-wide device manager, created on first use (without a window).
MDeviceManager* GetDeviceManager();
// Creates it with this window when there is none; otherwise the existing one.
MDeviceManager* GetDeviceManager(SDL_Window* window);
void DestroyDeviceManager();
// Before a window is destroyed: the device manager, when there is one,
// releases what it has on that window (ReleaseWindow).
void ReleaseDeviceWindow(SDL_Window* window);

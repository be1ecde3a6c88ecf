#pragma once
#include <cstdint>

struct SDL_Window;

// SDL's video and the OpenGL 3.3 core context on the game window; answers
// the start-up's questions about the display.
class MGLContext {
public:
    // Starts SDL's video; with a window, makes the context on it.
    explicit MGLContext(SDL_Window* window);
    ~MGLContext();
    MGLContext(const MGLContext&) = delete;
    MGLContext& operator=(const MGLContext&) = delete;

    // Call before creating the game window; the window needs WindowFlags().
    static void PrepareWindowAttributes();
    static uint32_t WindowFlags();

    // Display questions; all answer 0 when video is not available.
    int32_t CanRunWindowed() const;
    int32_t IsDisplayAtLeast(int32_t width, int32_t height) const;
    // 10 * major + minor of the context, or of one made on a hidden probe
    // window when there is none; 0 when none can be made.
    int32_t GetOpenGLVersion() const;
    // The back-buffer format a windowed device takes from the desktop; false
    // when the desktop cannot be asked.
    bool GetDisplayFormat(int32_t* format) const;

    // True when the context draws on the CPU (Mesa's llvmpipe, softpipe or swrast).
    bool IsSoftware() const;

    SDL_Window* GetWindow() const { return pWindow; }
    // False without a context or when it cannot be made current.
    bool MakeCurrent() const;
    void Swap() const;
    // Deletes the context and forgets the window; the display questions
    // are still answered.
    void Release();

private:
    void Create();

    SDL_Window* pWindow;
    void* pContext = nullptr;
    bool fVideo = false;
};
